#include <halvo_app/Application/CFrameTimeBuilder.h>

#include <cmath>

namespace hlv_app {

const hlv_sg::frame_time_record& CFrameTimeBuilder::Next(double seconds, std::uint64_t milliseconds)
{
    m_record.seconds = seconds;
    m_record.deltaSeconds = static_cast<float>(std::fabs(seconds - m_previousSeconds));
    m_previousSeconds = seconds;

    const std::uint64_t previous = m_previousMilliseconds;
    m_record.milliseconds = milliseconds;
    m_record.absDeltaMilliseconds = milliseconds > previous ? milliseconds - previous : previous - milliseconds;
    m_record.deltaMilliseconds =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(milliseconds) - static_cast<std::uint32_t>(previous));
    m_record.backwards = milliseconds < previous ? 1u : 0u;
    m_previousMilliseconds = milliseconds;

    m_record.frameNumber = m_nextFrame++;
    return m_record;
}

}  // namespace hlv_app
