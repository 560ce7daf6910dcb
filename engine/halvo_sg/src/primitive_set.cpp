#include <halvo_sg/primitive_set.h>

#include <halvo_sg/RESULT.h>
#include <halvo_sg/renderable_visitor.h>

namespace hlv_sg {

std::uint32_t CPrimitiveSet::Accept(IRenderableVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    return visitor->VisitPrimitiveSet(this);
}

std::uint32_t CIndexedPrimitiveSet::Accept(IRenderableVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    return visitor->VisitIndexedPrimitiveSet(this);
}

}  // namespace hlv_sg
