#include "list/ui_text.h"

#include <atomic>

namespace {

std::atomic<TextTranslator> g_text{nullptr};
std::atomic<PluralTranslator> g_plural{nullptr};

}  // namespace

void SetTextTranslators(TextTranslator text, PluralTranslator plural) {
    g_text = text;
    g_plural = plural;
}

std::string UiText(const char* english) {
    const TextTranslator text = g_text;
    return text ? text(english) : std::string(english);
}

std::string UiPlural(const char* singular, const char* plural, uint64_t count) {
    const PluralTranslator translate = g_plural;
    if (translate) return translate(singular, plural, count);
    return count == 1 ? singular : plural;
}

std::string FillIn(const std::string& text, std::initializer_list<std::string> values) {
    std::string filled;
    auto value = values.begin();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's' && value != values.end()) {
            filled += *value++;
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}
