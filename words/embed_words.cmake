cmake_policy(VERSION 3.25) # an empty line counts as a word, and is refused as one
# Turns one word list (UTF-8, one word a line) into a C++ table of string views,
# refusing a list that is not exactly WORD_COUNT words of WORD_LENGTH characters,
# each of capitals, Ä, Ö, Ü, ß or the hyphen, in the order of their character codes.
# Non-ASCII bytes become octal escapes, so the generated source is plain ASCII
# and compiles the same whatever source charset a compiler assumes.
# file(STRINGS) drops every CR, so a list checked out with CR LF line ends gives the same words.
file(STRINGS "${LIST_FILE}" words ENCODING UTF-8)
list(LENGTH words count)
if(NOT count EQUAL WORD_COUNT)
    message(FATAL_ERROR "${LIST_FILE}: ${count} words where the game needs exactly ${WORD_COUNT}")
endif()

set(body "")
set(line 0)
foreach(word IN LISTS words)
    math(EXPR line "${line} + 1")
    string(HEX "${word}" hex)
    string(LENGTH "${hex}" hex_length)
    set(literal "")
    set(characters 0)
    set(pos 0)
    while(pos LESS hex_length)
        string(SUBSTRING "${hex}" ${pos} 2 byte_hex)
        math(EXPR byte "0x${byte_hex}")
        if(byte LESS 128 OR byte GREATER_EQUAL 192)
            math(EXPR characters "${characters} + 1") # UTF-8 continuation bytes start no character
        endif()
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
    if(NOT characters EQUAL WORD_LENGTH)
        message(FATAL_ERROR "${LIST_FILE}:${line}: \"${word}\" has ${characters} characters where every word needs ${WORD_LENGTH}")
    elseif(NOT word MATCHES "^([-A-Z]|Ä|Ö|Ü|ß)+$")
        message(FATAL_ERROR "${LIST_FILE}:${line}: \"${word}\" holds other characters than capitals, Ä, Ö, Ü, ß and the hyphen")
    elseif(line GREATER 1 AND previous STRGREATER word)
        # UTF-8 bytes sort as their character codes: the hyphen before A; Ä, Ö, Ü, ß after Z.
        message(FATAL_ERROR "${LIST_FILE}:${line}: \"${word}\" after \"${previous}\" breaks the order of character codes")
    endif()
    set(previous "${word}")
    string(APPEND body "    \"${literal}\",\n")
endforeach()

cmake_path(GET LIST_FILE FILENAME list_name)
file(WRITE "${OUTPUT_FILE}.tmp"
"// Generated from the word list ${list_name}; edit the list, not this file.
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
