#pragma once

#include <span>
#include <string_view>

// The built-in words, in list order, as UTF-8. Element 0 is the word at index 1.
std::span<const std::string_view> embeddedWords4();
std::span<const std::string_view> embeddedWords6();
std::span<const std::string_view> embeddedWords8();
std::span<const std::string_view> embeddedWords10();
std::span<const std::string_view> embeddedWords12();
