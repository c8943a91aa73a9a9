// A compiled gettext catalog (.mo), read without the C library's gettext,
// which Windows does not have and which would tie the language to the
// process's locale. Used by the command line; the desktop program reads the
// same files through its toolkit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class MessageCatalog {
public:
    MessageCatalog(const MessageCatalog&) = delete;
    MessageCatalog& operator=(const MessageCatalog&) = delete;
    MessageCatalog(MessageCatalog&&) = default;
    MessageCatalog& operator=(MessageCatalog&&) = default;

    /// The catalog in `bytes` (a .mo file's content), or nothing with the
    /// reason in `error` when it is not one or is damaged.
    static std::optional<MessageCatalog> fromBytes(std::string bytes, std::string& error);

    /// The translation of `english` (with `context`, or none when null), or
    /// null when the catalog has none.
    const char* find(const char* context, std::string_view english) const;
    /// The translation of the plural pair for `n`, or null.
    const char* findPlural(const char* context, std::string_view singular, unsigned long n) const;
    /// The catalog's rule: which of its forms serves `n`.
    std::size_t pluralForm(unsigned long n) const;

private:
    MessageCatalog() = default;

    struct Entry {
        std::string_view original;     ///< the key: context, \4, English; up to the first NUL
        std::string_view translation;  ///< every form, NUL-separated
    };
    const Entry* lookup(const char* context, std::string_view english) const;

    std::string bytes_;
    std::vector<Entry> entries_;
    std::string pluralRule_ = "n != 1";
    std::size_t pluralCount_ = 2;
};

/// Evaluates a catalog's plural rule (a C expression over n) for `n`; null
/// when the rule cannot be read.
std::optional<unsigned long> evaluatePluralRule(std::string_view rule, unsigned long n);

}  // namespace vantrel
