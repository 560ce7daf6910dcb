#pragma once
// Turns the frame time into data-flow values: the demo time in seconds into
// the float slot "TimeSec", and every bound keyframe record's value at the
// frame time into its slot, while the record is active.
//
// Bindings are made at start-up. A record may be replaced while the demo runs
// (the camera files reloaded with F5): the replacement happens under the
// controller's lock, which Update holds for the whole frame, so Update never
// sees a record that is being replaced or has been freed.
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

#include <halvo_sg/controller.h>
#include <tidal_knots/KeyframeAnimation.h>

namespace hlv_app {
class CManagedContext;
}

namespace dmo_nimra {

class CSlotUpdateController : public hlv_sg::IController {
public:
    static constexpr std::size_t kNoSlot = ~std::size_t{0};

    // The context must not be null; it is not owned.
    explicit CSlotUpdateController(hlv_app::CManagedContext* context);

    // The index of "TimeSec" in the context's float slots.
    void SetTimeSlot(std::size_t slot) { m_timeSlot = slot; }
    std::size_t GetTimeSlot() const { return m_timeSlot; }
    // Records stay owned by the application's tables. A binding whose slot
    // index is kNoSlot never writes.
    void AddFloatBinding(ScalarKeyframeAnimation* record, std::size_t slot);
    void AddVec3Binding(Vec3KeyframeAnimation* record, std::size_t slot);

    // Points every vector binding of `from` at `to`, under the lock; returns
    // how many were repointed. The caller frees `from` after this returns.
    std::size_t ReplaceVec3Record(Vec3KeyframeAnimation* from, Vec3KeyframeAnimation* to);

    std::uint32_t Update(const hlv_sg::frame_time_record& time) override;
    bool AcceptsNode(hlv_sg::INode*) override { return true; }

private:
    template <typename Record>
    using Binding = std::pair<Record*, std::size_t>;

    hlv_app::CManagedContext* m_context;
    std::size_t m_timeSlot = kNoSlot;
    std::mutex m_lock;  // the bindings against a reload on the main thread
    std::vector<Binding<ScalarKeyframeAnimation>> m_floatBindings;
    std::vector<Binding<Vec3KeyframeAnimation>> m_vec3Bindings;
};

}  // namespace dmo_nimra
