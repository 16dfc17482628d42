// Scripts: the language from the interpreter the first line names, directly
// (#!/bin/bash) or through env (#!/usr/bin/env -S python3 -u).
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "signature/inside/readers.h"

namespace {

// The most the system itself reads of an interpreter line.
constexpr size_t kLineLimit = 256;

struct Language {
    std::string_view interpreter;
    std::string_view extension;
};
constexpr Language kLanguages[] = {
    {"sh", "sh"},     {"bash", "sh"},   {"dash", "sh"},  {"ksh", "sh"},   {"zsh", "sh"},     {"ash", "sh"},
    {"mksh", "sh"},   {"python", "py"}, {"perl", "pl"},  {"ruby", "rb"},  {"node", "js"},    {"nodejs", "js"},
    {"php", "php"},   {"tclsh", "tcl"}, {"wish", "tcl"}, {"lua", "lua"},  {"awk", "awk"},    {"gawk", "awk"},
    {"mawk", "awk"},  {"nawk", "awk"},  {"pwsh", "ps1"},
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The words of the line after "#!". When the line goes on past what was
// read, the word that runs into the end may be cut short and is left out.
std::vector<std::string_view> WordsOf(std::string_view line, bool complete) {
    std::vector<std::string_view> words;
    size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && IsBlank(line[at])) ++at;
        const size_t start = at;
        while (at < line.size() && !IsBlank(line[at])) ++at;
        if (at > start && (at < line.size() || complete)) words.push_back(line.substr(start, at - start));
    }
    return words;
}

std::string_view BaseName(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The program env runs: past its options and NAME=VALUE assignments. -S
// splits the rest of the line into words, which the line already is.
std::optional<std::string_view> EnvProgram(std::vector<std::string_view> words) {
    bool options = true;
    for (size_t i = 1; i < words.size(); ++i) {
        std::string_view word = words[i];
        if (options && word == "--") {
            options = false;
        } else if (options && word.starts_with("--")) {
            const size_t equals = word.find('=');
            const std::string_view name = word.substr(0, equals);
            if (name == "--split-string" && equals != std::string_view::npos) {
                words[i--] = word.substr(equals + 1);  // judge the word it starts with
            } else if ((name == "--unset" || name == "--chdir") && equals == std::string_view::npos) {
                ++i;  // and its argument
            }
        } else if (options && word.starts_with('-') && word.size() > 1) {
            for (size_t j = 1; j < word.size(); ++j) {
                const char option = word[j];
                if (option == 'i' || option == '0' || option == 'v') continue;
                if (option == 'S') {
                    if (j + 1 < word.size()) words[i--] = word.substr(j + 1);
                    break;
                }
                if (option == 'u' || option == 'C' || option == 'P') {
                    if (j + 1 == word.size()) ++i;  // the argument is the next word
                    break;
                }
                return std::nullopt;  // an option we do not know may take an argument
            }
        } else if (word == "-" || word.find('=') != std::string_view::npos) {
            continue;  // "-" is -i; NAME=VALUE sets a variable
        } else {
            return word;
        }
    }
    return std::nullopt;
}

// The extension for an interpreter, its version left off: python3.11 is python.
std::optional<std::string> ExtensionFor(std::string_view program) {
    std::string_view name = BaseName(program);
    const size_t digit = name.find_first_of("0123456789");
    if (digit != std::string_view::npos) {
        for (const char c : name.substr(digit)) {
            if (!IsDigit(c) && c != '.') return std::nullopt;
        }
        name = name.substr(0, digit);
    }
    for (const Language& language : kLanguages) {
        if (name == language.interpreter) return std::string(language.extension);
    }
    return std::nullopt;
}

}  // namespace

InsideMember ScriptMember(ByteSource& file, LeadingBytes lead) {
    if (lead.size() < 2 || lead[0] != '#' || lead[1] != '!') return std::nullopt;
    std::array<unsigned char, kLineLimit> buffer;
    const int64_t got = file.Read(0, buffer);
    if (got < 2) return std::nullopt;
    const std::string_view text(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(got));

    const size_t end = text.find('\n');
    // Without a line end, the line is whole only when the file ended first.
    const bool complete = end != std::string_view::npos || static_cast<size_t>(got) < kLineLimit;
    std::string_view line = text.substr(2, end == std::string_view::npos ? std::string_view::npos : end - 2);
    if (line.find('\0') != std::string_view::npos) return std::nullopt;  // not a text line
    if (complete && line.ends_with('\r')) line.remove_suffix(1);

    const std::vector<std::string_view> words = WordsOf(line, complete);
    if (words.empty()) return std::nullopt;
    std::optional<std::string_view> program = words[0];
    if (BaseName(words[0]) == "env") program = EnvProgram(words);
    if (!program) return std::nullopt;
    return ExtensionFor(*program);
}
