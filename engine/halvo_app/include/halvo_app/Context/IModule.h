#pragma once
// A part of an application that is initialised against a named context.

namespace hlv_app {

class AHalvoApplication;
class CManagedContext;

class IModule {
public:
    virtual void SetContext(CManagedContext& context) = 0;
    virtual void Initialize(AHalvoApplication* application, CManagedContext& context) = 0;
    virtual void PostInitialize(AHalvoApplication* application, CManagedContext& context) = 0;
    virtual ~IModule() = default;
};

}  // namespace hlv_app
