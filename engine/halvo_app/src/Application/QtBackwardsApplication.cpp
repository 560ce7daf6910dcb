#include <halvo_app/Application/QtBackwardsApplication.h>

#include <halvo_core/fatal.h>

namespace hlv_app {

QtBackwardsApplication::QtBackwardsApplication() : m_effectSlotManager(std::make_unique<hlv_mgr::CEffectSlotManager>())
{
}

QtBackwardsApplication::~QtBackwardsApplication() = default;

void QtBackwardsApplication::Init()
{
    AHalvoApplication::Init();
    HLV_FATAL_CHECK(AHalvoApplication::getGfxSystem().IsValid(), "AHalvoApplication::getGfxSystem().IsValid()");
    auto shadeNodeSystem = hlv_core::Adopt(new hlv_shade::CShadeNodeSystem("The Shade Node System"));
    shadeNodeSystem->SetGfxSystem(getMTGfxSystem());
    shadeNodeSystem->GetShaderLibrary()->SetGfxSystem(getMTGfxSystem());
    GetContext()->shadeNodeSystem = std::move(shadeNodeSystem);
}

}  // namespace hlv_app
