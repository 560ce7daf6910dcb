#include <tidal_knots/KeyframeAnimationStore.h>

#include <iostream>

#include <halvo_io/Loader/KeyframeSequenceLoader.h>
#include <tidal_knots/Controllers/CSlotUpdateController.h>

namespace dmo_nimra {

namespace {

template <typename Record, typename KeyList>
std::unique_ptr<Record> MakeRecord(const hlv_io::KeyframeSequenceRecord& loaded, const KeyList& keys)
{
    auto record = std::make_unique<Record>();
    for (const auto& key : keys) record->sequence.add_key(key);
    record->start = loaded.start;
    record->duration = loaded.duration;
    record->playMode = loaded.play_type == hlv_io::KPT_LOOP ? AM_REPEAT : AM_CLAMP;
    return record;
}

template <typename Table>
typename Table::mapped_type::pointer Find(const Table& table, const std::string& name)
{
    const auto it = table.find(name);
    return it == table.end() ? nullptr : it->second.get();
}

}  // namespace

bool CKeyframeAnimationStore::Load(const std::string& path, CSlotUpdateController* controller)
{
    hlv_io::KeyframeSequenceRecord loaded;
    try {
        hlv_io::KeyframeSequenceLoader::Load(path, loaded);
    } catch (const hlv_io::KeyframeFormatError& error) {
        std::cerr << "Keyframe loading failed." << '\n' << error.what() << std::endl;
        return false;
    }
    if (loaded.value_type != hlv_io::KVT_FLOAT) return true;
    if (loaded.interpolation != hlv_io::KI_LINEAR) {
        std::cerr << "Keyframe loading: interpolation type not supported." << '\n'
                  << "File name: " << path << std::endl;
        return false;
    }

    if (const auto* keys = loaded.ScalarKeys(); keys && loaded.value_structure == hlv_io::KVS_SCALAR) {
        auto record = MakeRecord<ScalarKeyframeAnimation>(loaded, *keys);
        auto& entry = m_scalars[loaded.name];
        if (entry) m_replacedScalars.push_back(std::move(entry));
        entry = std::move(record);
    } else if (const auto* vectorKeys = loaded.Vec3Keys(); vectorKeys && loaded.value_structure == hlv_io::KVS_VEC3) {
        auto record = MakeRecord<Vec3KeyframeAnimation>(loaded, *vectorKeys);
        auto& entry = m_vectors[loaded.name];
        std::unique_ptr<Vec3KeyframeAnimation> old = std::move(entry);
        entry = std::move(record);
        // After this no binding reaches the old record, and no frame update
        // is still reading it: the swap waits for the update to finish.
        if (old && controller) controller->ReplaceVec3Record(old.get(), entry.get());
    }
    return true;
}

ScalarKeyframeAnimation* CKeyframeAnimationStore::FindScalar(const std::string& name) const
{
    return Find(m_scalars, name);
}

Vec3KeyframeAnimation* CKeyframeAnimationStore::FindVector(const std::string& name) const
{
    return Find(m_vectors, name);
}

}  // namespace dmo_nimra
