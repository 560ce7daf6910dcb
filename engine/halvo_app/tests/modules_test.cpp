#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <halvo_app/Context/CFullModuledHalvoApplication.h>

using hlv_app::AHalvoApplication;
using hlv_app::CFullModuledHalvoApplication;
using hlv_app::CManagedContext;
using hlv_app::IModule;

namespace {

class RecordingModule : public IModule {
public:
    RecordingModule(std::vector<std::string>& log, std::string name) : m_log(log), m_name(std::move(name)) {}

    void SetContext(CManagedContext& context) override { Log("set", nullptr, context); }
    void Initialize(AHalvoApplication* app, CManagedContext& context) override { Log("init", app, context); }
    void PostInitialize(AHalvoApplication* app, CManagedContext& context) override { Log("post", app, context); }

    CManagedContext* lastContext = nullptr;
    AHalvoApplication* lastApplication = nullptr;

private:
    void Log(const char* what, AHalvoApplication* app, CManagedContext& context)
    {
        m_log.push_back(m_name + " " + what);
        lastContext = &context;
        if (app) lastApplication = app;
    }

    std::vector<std::string>& m_log;
    std::string m_name;
};

AHalvoApplication* FakeApplication()
{
    static int cell;
    return reinterpret_cast<AHalvoApplication*>(&cell);
}

}  // namespace

TEST(InitModules, WithoutBindingsCallsNothing)
{
    std::vector<std::string> log;
    RecordingModule module(log, "m");
    CFullModuledHalvoApplication app;
    app.AddModule(&module);
    EXPECT_TRUE(app.InitModules(FakeApplication()));
    EXPECT_TRUE(log.empty());
}

TEST(InitModules, BoundModulesRunInModuleOrderWithTheirContexts)
{
    std::vector<std::string> log;
    RecordingModule first(log, "first"), second(log, "second");
    CFullModuledHalvoApplication app;
    auto& contexts = app.GetContextModule();
    const auto local = contexts.CreateContext("Local Context");
    const auto other = contexts.CreateContext("Other Context");
    EXPECT_EQ(app.AddModule(&first), 0u);
    EXPECT_EQ(app.AddModule(&second), 1u);
    app.BindModule(1, local);
    app.BindModule(0, other);
    app.BindModule(5, local);  // no module at 5: skipped

    EXPECT_TRUE(app.InitModules(FakeApplication()));
    EXPECT_EQ(log, (std::vector<std::string>{"first set", "first init", "first post", "second set", "second init",
                                             "second post"}));
    EXPECT_EQ(first.lastContext, contexts.GetContext(other));
    EXPECT_EQ(second.lastContext, contexts.GetContext(local));
    EXPECT_EQ(first.lastApplication, FakeApplication());
}

TEST(InitModules, ABindingToAMissingContextFailsBeforeAnyModuleRuns)
{
    std::vector<std::string> log;
    RecordingModule first(log, "first"), second(log, "second");
    CFullModuledHalvoApplication app;
    const auto local = app.GetContextModule().CreateContext("Local Context");
    app.AddModule(&first);
    app.AddModule(&second);
    app.BindModule(0, local);
    app.BindModule(1, CFullModuledHalvoApplication::managed_context_module_t::CID_INVALID);
    EXPECT_FALSE(app.InitModules(FakeApplication()));
    EXPECT_TRUE(log.empty());

    app.BindModule(1, 7);
    EXPECT_FALSE(app.InitModules(FakeApplication()));
    EXPECT_TRUE(log.empty());
}
