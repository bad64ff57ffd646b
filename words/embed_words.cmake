# Turns one word list (UTF-8, one word a line) into a C++ table of string views.
# Non-ASCII bytes become octal escapes, so the generated source is plain ASCII
# and compiles the same whatever source charset a compiler assumes.
file(STRINGS "${LIST_FILE}" words ENCODING UTF-8)
list(LENGTH words count)
if(count EQUAL 0)
    message(FATAL_ERROR "${LIST_FILE} holds no words")
endif()

set(body "")
foreach(word IN LISTS words)
    string(HEX "${word}" hex)
    string(LENGTH "${hex}" hex_length)
    set(literal "")
    set(pos 0)
    while(pos LESS hex_length)
        string(SUBSTRING "${hex}" ${pos} 2 byte_hex)
        math(EXPR byte "0x${byte_hex}")
        if(byte LESS 128)
            string(ASCII ${byte} character)
            string(APPEND literal "${character}")
        else()
            math(EXPR d1 "${byte} / 64")
            math(EXPR d2 "(${byte} / 8) % 8")
            math(EXPR d3 "${byte} % 8")
            string(APPEND literal "\\${d1}${d2}${d3}")
        endif()
        math(EXPR pos "${pos} + 2")
    endwhile()
    string(APPEND body "    \"${literal}\",\n")
endforeach()

file(WRITE "${OUTPUT_FILE}.tmp"
"// Generated from ${LIST_FILE}; edit the list, not this file.
#include \"EmbeddedWords.h\"

namespace {
constexpr std::string_view kWords[] = {
${body}};
} // namespace

std::span<const std::string_view> embeddedWords${WORD_LENGTH}()
{
    return kWords;
}
")
file(COPY_FILE "${OUTPUT_FILE}.tmp" "${OUTPUT_FILE}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT_FILE}.tmp")
