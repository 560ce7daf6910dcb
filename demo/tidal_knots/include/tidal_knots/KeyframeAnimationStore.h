#pragma once
// The demo's loaded keyframe records, by the sequence names inside their
// files: float sequences in the scalar table, three-element vector sequences
// in the vector table.
//
// Load runs on the main thread, at start-up and for the F5 reload of the
// camera files while the update thread evaluates the records. A vector record
// that is replaced is swapped out of every binding of the given controller
// under the controller's lock before it is freed. A replaced scalar record is
// kept alive: bindings to it are not repointed and go on reading it.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <tidal_knots/KeyframeAnimation.h>

namespace dmo_nimra {

class CSlotUpdateController;

class CKeyframeAnimationStore {
public:
    template <typename Record>
    using Table = std::map<std::string, std::unique_ptr<Record>>;

    // Reads the file and stores its record under the sequence's name. Files
    // whose values are not float or whose structure is neither scalar nor
    // vec3 are skipped (true, nothing stored). A file that cannot be read or
    // breaks the format, or whose interpolation is not linear, is reported on
    // the standard error stream naming the file, nothing is stored or
    // replaced, and the result is false.
    bool Load(const std::string& path, CSlotUpdateController* controller);

    Table<ScalarKeyframeAnimation>& Scalars() { return m_scalars; }
    Table<Vec3KeyframeAnimation>& Vectors() { return m_vectors; }
    ScalarKeyframeAnimation* FindScalar(const std::string& name) const;
    Vec3KeyframeAnimation* FindVector(const std::string& name) const;

private:
    Table<ScalarKeyframeAnimation> m_scalars;
    Table<Vec3KeyframeAnimation> m_vectors;
    std::vector<std::unique_ptr<ScalarKeyframeAnimation>> m_replacedScalars;
};

}  // namespace dmo_nimra
