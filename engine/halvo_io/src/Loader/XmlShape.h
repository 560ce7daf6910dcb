#pragma once
// The shape of an XML text, checked before the XML parser reads it.
//
// TinyXML descends one level of recursion for every element it opens, so a
// deeply nested text exhausts its stack (and takes time growing with the
// square of the depth), and it looks up every attribute among the element's
// earlier ones, so an element with very many attributes takes time growing
// with the square of their number. The scan below reads the text the way
// TinyXML reads it with single-byte characters (TIXML_ENCODING_LEGACY):
// comments, CDATA sections, declarations and their quoted values, other
// markup up to its ">", quoted attribute values, character references and
// self-closing and end tags. It therefore never finds fewer elements open
// than the parser has open at the same byte, nor fewer attributes.
#include <optional>
#include <string>
#include <string_view>

namespace hlv_io {

struct XmlShapeLimits {
    int maxDepth;       // elements open at once
    int maxAttributes;  // attributes of one element
};

struct XmlShapeProblem {
    std::string reason;
    int line;  // of the element that breaks a limit, from 1
};

// The first breach of the limits in text (which holds no NUL byte), or empty.
std::optional<XmlShapeProblem> FindXmlShapeProblem(std::string_view text, const XmlShapeLimits& limits);

}  // namespace hlv_io
