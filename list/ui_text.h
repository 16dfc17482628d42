// The texts the window shows, in the user's language. The core knows no
// catalogue: the window installs its translators at start, and without them
// every text stays the English it is written in, which is also the key the
// catalogue finds it by.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

using TextTranslator = std::string (*)(const char* english);
using PluralTranslator = std::string (*)(const char* singular, const char* plural, uint64_t count);

// Before any worker starts; both or neither.
void SetTextTranslators(TextTranslator text, PluralTranslator plural);

std::string UiText(const char* english);
// The form for `count` of a text with a singular and a plural.
std::string UiPlural(const char* singular, const char* plural, uint64_t count);

// `text` with each "%s" replaced by the next of `values`, so that a
// translation may place the values where its language wants them.
std::string FillIn(const std::string& text, std::initializer_list<std::string> values);
