#pragma once
// Something the update thread calls once per frame, before the scene graph's
// update (see AHalvoApplication::AddFrameHandler).
namespace hlv_app {

class IFrameHandler {
public:
    virtual void OnFrame() = 0;
    virtual ~IFrameHandler() = default;
};

}  // namespace hlv_app
