#include "i18n/message_catalog.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

namespace {

constexpr std::uint32_t kMagic = 0x950412de;

std::uint32_t word(const std::string& bytes, std::size_t at, bool swapped) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    if (swapped)
        value = (value >> 24) | ((value >> 8) & 0xff00u) | ((value << 8) & 0xff0000u) | (value << 24);
    return value;
}

// A plural rule is a C expression: n, numbers, ! * / % + - < > <= >= == !=
// && || ?: and parentheses, parsed by precedence climbing.
class RuleParser {
public:
    RuleParser(std::string_view text, unsigned long n) : text_(text), n_(n) {}

    std::optional<unsigned long> parse() {
        const unsigned long value = conditional();
        skipSpace();
        if (failed_ || at_ != text_.size()) return std::nullopt;
        return value;
    }

private:
    void skipSpace() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n')) ++at_;
    }
    bool take(std::string_view token) {
        skipSpace();
        if (text_.substr(at_, token.size()) != token) return false;
        // "<" must not take the first half of "<=", "!" not of "!=", and so on.
        if (token.size() == 1 && at_ + 1 < text_.size() && text_[at_ + 1] == '=' &&
            std::string_view("<>!=").find(token[0]) != std::string_view::npos)
            return false;
        at_ += token.size();
        return true;
    }
    // Every way into a deeper level counts, so a hostile rule cannot
    // exhaust the stack however it nests.
    bool deeper() {
        if (++depth_ <= 64) return true;
        failed_ = true;
        return false;
    }
    unsigned long conditional() {
        if (!deeper()) return 0;
        const unsigned long condition = orExpression();
        unsigned long value = condition;
        if (take("?")) {
            const unsigned long whenTrue = conditional();
            if (!take(":")) failed_ = true;
            const unsigned long whenFalse = conditional();
            value = condition ? whenTrue : whenFalse;
        }
        --depth_;
        return value;
    }
    unsigned long orExpression() {
        unsigned long value = andExpression();
        while (take("||")) value = (andExpression() || value) ? 1 : 0;
        return value;
    }
    unsigned long andExpression() {
        unsigned long value = equality();
        while (take("&&")) value = (equality() && value) ? 1 : 0;
        return value;
    }
    unsigned long equality() {
        unsigned long value = relation();
        for (;;) {
            if (take("=="))
                value = value == relation();
            else if (take("!="))
                value = value != relation();
            else
                return value;
        }
    }
    unsigned long relation() {
        unsigned long value = sum();
        for (;;) {
            if (take("<="))
                value = value <= sum();
            else if (take(">="))
                value = value >= sum();
            else if (take("<"))
                value = value < sum();
            else if (take(">"))
                value = value > sum();
            else
                return value;
        }
    }
    unsigned long sum() {
        unsigned long value = product();
        for (;;) {
            if (take("+"))
                value += product();
            else if (take("-"))
                value -= product();
            else
                return value;
        }
    }
    unsigned long product() {
        unsigned long value = unary();
        for (;;) {
            if (take("*")) {
                value *= unary();
            } else if (take("/") || take("%")) {
                const bool remainder = text_[at_ - 1] == '%';
                const unsigned long divisor = unary();
                if (divisor == 0) {
                    failed_ = true;
                    return 0;
                }
                value = remainder ? value % divisor : value / divisor;
            } else {
                return value;
            }
        }
    }
    unsigned long unary() {
        if (!deeper()) return 0;
        const unsigned long value = take("!") ? (unary() ? 0 : 1) : primary();
        --depth_;
        return value;
    }
    unsigned long primary() {
        skipSpace();
        if (!deeper()) return 0;
        unsigned long value = 0;
        if (take("(")) {
            value = conditional();
            if (!take(")")) failed_ = true;
        } else if (take("n")) {
            value = n_;
        } else if (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
            while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9')
                value = value * 10 + static_cast<unsigned long>(text_[at_++] - '0');
        } else {
            failed_ = true;
        }
        --depth_;
        return value;
    }

    std::string_view text_;
    unsigned long n_;
    std::size_t at_ = 0;
    int depth_ = 0;
    bool failed_ = false;
};

std::string_view headerField(std::string_view header, std::string_view name) {
    for (std::size_t start = 0; start < header.size();) {
        std::size_t end = header.find('\n', start);
        if (end == std::string_view::npos) end = header.size();
        const std::string_view line = header.substr(start, end - start);
        if (line.substr(0, name.size()) == name) return line.substr(name.size());
        start = end + 1;
    }
    return {};
}

}  // namespace

std::optional<unsigned long> evaluatePluralRule(std::string_view rule, unsigned long n) {
    return RuleParser(rule, n).parse();
}

std::optional<MessageCatalog> MessageCatalog::fromBytes(std::string bytes, std::string& error) {
    if (bytes.size() < 28) {
        error = "not a message catalog";
        return std::nullopt;
    }
    std::uint32_t magic = 0;
    std::memcpy(&magic, bytes.data(), 4);
    const bool swapped = magic != kMagic;
    if (swapped && word(bytes, 0, true) != kMagic) {
        error = "not a message catalog";
        return std::nullopt;
    }
    if (word(bytes, 4, swapped) >> 16 != 0) {
        error = "a message catalog of an unknown revision";
        return std::nullopt;
    }
    const std::uint64_t count = word(bytes, 8, swapped);
    const std::uint64_t originals = word(bytes, 12, swapped);
    const std::uint64_t translations = word(bytes, 16, swapped);
    if (originals + count * 8 > bytes.size() || translations + count * 8 > bytes.size()) {
        error = "a damaged message catalog";
        return std::nullopt;
    }
    MessageCatalog catalog;
    catalog.entries_.reserve(count);
    // Each string must lie inside the file and end with the NUL msgfmt writes,
    // so that a translation can be handed out as a C string.
    auto stringAt = [&](std::uint64_t table, std::uint64_t index, std::string_view& out) {
        const std::uint64_t length = word(bytes, table + index * 8, swapped);
        const std::uint64_t offset = word(bytes, table + index * 8 + 4, swapped);
        if (offset + length >= bytes.size() || bytes[offset + length] != '\0') return false;
        out = std::string_view(bytes.data() + offset, length);
        return true;
    };
    for (std::uint64_t i = 0; i < count; ++i) {
        Entry entry;
        if (!stringAt(originals, i, entry.original) || !stringAt(translations, i, entry.translation)) {
            error = "a damaged message catalog";
            return std::nullopt;
        }
        entry.original = entry.original.substr(0, entry.original.find('\0'));
        catalog.entries_.push_back(entry);
    }
    // msgfmt writes the keys sorted; a catalog made otherwise is sorted here
    // rather than answering wrongly.
    auto byKey = [](const Entry& a, const Entry& b) { return a.original < b.original; };
    if (!std::is_sorted(catalog.entries_.begin(), catalog.entries_.end(), byKey))
        std::sort(catalog.entries_.begin(), catalog.entries_.end(), byKey);
    // string_views into bytes stay valid across the move: a std::string's
    // heap buffer moves with it, and a catalog is never short enough for the
    // small-string buffer.
    catalog.bytes_ = std::move(bytes);
    if (const Entry* header = catalog.lookup(nullptr, "")) {
        const std::string_view forms = headerField(header->translation, "Plural-Forms:");
        const std::size_t counted = forms.find("nplurals=");
        const std::size_t rule = forms.find("plural=", counted == std::string_view::npos ? 0 : counted + 9);
        if (counted != std::string_view::npos && rule != std::string_view::npos) {
            std::string_view text = forms.substr(rule + 7);
            text = text.substr(0, text.find(';'));
            const unsigned long number = std::strtoul(std::string(forms.substr(counted + 9)).c_str(), nullptr, 10);
            if (number >= 1 && number <= 6 && evaluatePluralRule(text, 1)) {
                catalog.pluralRule_ = std::string(text);
                catalog.pluralCount_ = number;
            }
        }
    }
    return catalog;
}

const MessageCatalog::Entry* MessageCatalog::lookup(const char* context, std::string_view english) const {
    std::string key;
    if (context) {
        key.append(context).append(1, '\4').append(english);
        english = key;
    }
    const auto found = std::lower_bound(entries_.begin(), entries_.end(), english,
                                        [](const Entry& entry, std::string_view k) { return entry.original < k; });
    if (found == entries_.end() || found->original != english) return nullptr;
    return &*found;
}

const char* MessageCatalog::find(const char* context, std::string_view english) const {
    const Entry* entry = lookup(context, english);
    // An empty translation means "not translated" in gettext's files.
    return entry && !entry->translation.empty() ? entry->translation.data() : nullptr;
}

std::size_t MessageCatalog::pluralForm(unsigned long n) const {
    const std::optional<unsigned long> form = evaluatePluralRule(pluralRule_, n);
    return form && *form < pluralCount_ ? static_cast<std::size_t>(*form) : 0;
}

const char* MessageCatalog::findPlural(const char* context, std::string_view singular, unsigned long n) const {
    const Entry* entry = lookup(context, singular);
    if (!entry || entry->translation.empty()) return nullptr;
    std::string_view forms = entry->translation;
    for (std::size_t form = pluralForm(n); form > 0; --form) {
        const std::size_t end = forms.find('\0');
        if (end == std::string_view::npos) return nullptr;
        forms = forms.substr(end + 1);
    }
    return forms.empty() ? nullptr : forms.data();
}

}  // namespace vantrel
