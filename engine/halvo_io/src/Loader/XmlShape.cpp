#include "Loader/XmlShape.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace hlv_io {

namespace {

// TinyXML's own character classes: the C library's, every byte from 127 up
// counting as a letter.
bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) || c == '\n' || c == '\r'; }

bool IsNameStart(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 127 ? std::isalpha(byte) != 0 : true) || c == '_';
}

bool IsNameChar(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 127 ? std::isalnum(byte) != 0 : true) || c == '_' || c == '-' || c == '.' || c == ':';
}

class ShapeScan {
public:
    ShapeScan(std::string_view text, const XmlShapeLimits& limits) : m_text(text), m_limits(limits) {}

    std::optional<XmlShapeProblem> Run()
    {
        int depth = 0;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at];
            if (c == '&') {
                if (!SkipReference()) return std::nullopt;
            } else if (c != '<') {
                ++m_at;
            } else if (AtIgnoringCase("<?xml")) {
                if (!SkipDeclaration()) return std::nullopt;
            } else if (At("<!--")) {
                SkipPast(4, "-->");
            } else if (At("<![CDATA[")) {
                SkipPast(9, "]]>");
            } else if (At("</")) {
                depth = std::max(depth - 1, 0);
                SkipPast(2, ">");
            } else if (m_at + 1 < m_text.size() && IsNameStart(m_text[m_at + 1])) {
                const std::size_t start = m_at;
                if (++depth > m_limits.maxDepth)
                    return Problem("elements nested deeper than " + std::to_string(m_limits.maxDepth) + " levels",
                                   start);
                int attributes = 0;
                const std::optional<bool> selfClosing = SkipElementTag(attributes);
                if (attributes > m_limits.maxAttributes)
                    return Problem(
                        "an element with more than " + std::to_string(m_limits.maxAttributes) + " attributes", start);
                if (!selfClosing) return std::nullopt;
                if (*selfClosing) --depth;
            } else {
                // "<!", "<?" and anything else are read over up to the next ">".
                SkipPast(1, ">");
            }
        }
        return std::nullopt;
    }

private:
    bool At(std::string_view prefix) const { return m_text.substr(m_at).starts_with(prefix); }

    bool AtIgnoringCase(std::string_view prefix) const
    {
        if (m_text.size() - m_at < prefix.size()) return false;
        for (std::size_t i = 0; i < prefix.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(m_text[m_at + i])) !=
                std::tolower(static_cast<unsigned char>(prefix[i])))
                return false;
        return true;
    }

    void SkipPast(std::size_t from, std::string_view end)
    {
        const std::size_t found = m_text.find(end, m_at + from);
        m_at = found == std::string_view::npos ? m_text.size() : found + end.size();
    }

    void SkipSpace()
    {
        while (m_at < m_text.size() && IsSpace(m_text[m_at])) ++m_at;
    }

    // A character reference or entity at "&", where text is read as
    // characters. False where the parser fails on it: a "&#" reference must
    // run to a ";" over digits only (hexadecimal after "&#x"), and the
    // parser jumps to that ";" whatever the digits are preceded by.
    bool SkipReference()
    {
        if (m_at + 2 < m_text.size() && m_text[m_at + 1] == '#') {
            const bool hex = m_text[m_at + 2] == 'x';
            if (hex && m_at + 3 >= m_text.size()) return false;
            const std::size_t end = m_text.find(';', m_at + (hex ? 3 : 2));
            if (end == std::string_view::npos) return false;
            for (std::size_t i = end - 1; m_text[i] != (hex ? 'x' : '#'); --i)
                if (!(hex ? std::isxdigit(static_cast<unsigned char>(m_text[i]))
                          : std::isdigit(static_cast<unsigned char>(m_text[i]))))
                    return false;
            m_at = end + 1;
            return true;
        }
        for (const std::string_view entity : {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"})
            if (At(entity)) {
                m_at += entity.size();
                return true;
            }
        ++m_at;
        return true;
    }

    // A quoted value from its opening quote past its closing one; false when
    // the parser fails inside it.
    bool SkipQuoted()
    {
        const char quote = m_text[m_at++];
        while (m_at < m_text.size()) {
            if (m_text[m_at] == quote) {
                ++m_at;
                return true;
            }
            if (m_text[m_at] != '&') {
                ++m_at;
            } else if (!SkipReference()) {
                return false;
            }
        }
        return false;
    }

    // An element's tag from its "<" past its ">", counting the attributes:
    // true when it closes itself ("/>"), empty when the parser fails in it
    // or the text ends.
    std::optional<bool> SkipElementTag(int& attributes)
    {
        ++m_at;
        char previous = 0;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at];
            if (c == '"' || c == '\'') {
                if (!SkipQuoted()) return std::nullopt;
                previous = c;
                continue;
            }
            ++m_at;
            if (c == '>') return previous == '/';
            if (c == '=') ++attributes;
            previous = c;
        }
        return std::nullopt;
    }

    // One "version", "encoding" or "standalone" attribute of a declaration;
    // false when the parser fails on it.
    bool SkipDeclarationAttribute()
    {
        if (m_at >= m_text.size() || !IsNameStart(m_text[m_at])) return false;
        while (m_at < m_text.size() && IsNameChar(m_text[m_at])) ++m_at;
        SkipSpace();
        if (m_at >= m_text.size() || m_text[m_at] != '=') return false;
        ++m_at;
        SkipSpace();
        if (m_at >= m_text.size()) return false;
        if (m_text[m_at] == '"' || m_text[m_at] == '\'') return SkipQuoted();
        while (m_at < m_text.size() && !IsSpace(m_text[m_at]) && m_text[m_at] != '/' && m_text[m_at] != '>') {
            if (m_text[m_at] == '"' || m_text[m_at] == '\'') return false;
            ++m_at;
        }
        return true;
    }

    // "<?xml ... >": only the three known attributes have quoted values;
    // everything else is read over up to white space or ">". False when the
    // parser fails in it or the text ends.
    bool SkipDeclaration()
    {
        m_at += 5;
        while (m_at < m_text.size()) {
            if (m_text[m_at] == '>') {
                ++m_at;
                return true;
            }
            SkipSpace();
            if (AtIgnoringCase("version") || AtIgnoringCase("encoding") || AtIgnoringCase("standalone")) {
                if (!SkipDeclarationAttribute()) return false;
            } else {
                while (m_at < m_text.size() && m_text[m_at] != '>' && !IsSpace(m_text[m_at])) ++m_at;
            }
        }
        return false;
    }

    XmlShapeProblem Problem(std::string reason, std::size_t at) const
    {
        const auto line = std::count(m_text.begin(), m_text.begin() + static_cast<std::ptrdiff_t>(at), '\n');
        return XmlShapeProblem{std::move(reason), static_cast<int>(line) + 1};
    }

    std::string_view m_text;
    XmlShapeLimits m_limits;
    std::size_t m_at = 0;
};

}  // namespace

std::optional<XmlShapeProblem> FindXmlShapeProblem(std::string_view text, const XmlShapeLimits& limits)
{
    return ShapeScan(text, limits).Run();
}

}  // namespace hlv_io
