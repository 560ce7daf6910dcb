#include <list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <halvo_core/class_info.h>
#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_system.h>
#include <halvo_gfx/renderer.h>

#include <recording_gfx_system.h>
#include <recording_renderer.h>

using namespace hlv_gfx;
using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using Log = std::vector<std::string>;

namespace {

class CLogPrinter : public hlv_io::IMessagePrinter {
public:
    CLogPrinter(Log& log, std::string tag) : IMessagePrinter(tag), m_log(log), m_tag(std::move(tag)) {}
    std::uint32_t Print(const std::string& text) override
    {
        m_log.push_back(m_tag + ":" + text);
        return 0;
    }
    std::uint32_t PrintLine(const std::string& text) override { return Print(text + "\n"); }

private:
    Log& m_log;
    std::string m_tag;
};

// Records what reaches the listener interfaces' handlers.
template <typename Base>
class CLogListener : public Base {
public:
    CLogListener(Log& log, std::string tag) : Base(tag), m_log(log), m_tag(std::move(tag)) {}
    std::uint32_t IsValid() const override { return GFXR_OK; }
    std::uint32_t HandleLinkerMessage(const std::string& message) override
    {
        m_log.push_back(m_tag + ":one:" + message);
        return handlerResult;
    }
    std::uint32_t handlerResult = GFXR_OK;

protected:
    std::uint32_t HandleLog(const std::list<std::string>& messages)
    {
        m_log.push_back(m_tag + ":log:" + std::to_string(messages.size()));
        return GFXR_FAIL;  // ignored by OnMessages
    }

private:
    Log& m_log;
    std::string m_tag;
};

class CLogLinker : public CLogListener<ILinkerListener> {
public:
    using CLogListener::CLogListener;
    std::uint32_t HandleLinkerMessages(const std::list<std::string>& messages) override { return HandleLog(messages); }
};

class CLogCompiler : public CLogListener<ICompilerListener> {
public:
    using CLogListener::CLogListener;
    std::uint32_t HandleCompilerMessages(const std::list<std::string>& messages) override
    {
        return HandleLog(messages);
    }
};

class CLogMessageListener : public hlv_core::IMessageListener {
public:
    CLogMessageListener(Log& log, std::string tag) : IMessageListener(tag), m_log(log), m_tag(std::move(tag)) {}
    std::uint32_t OnMessages(const std::list<std::string>&) override { return 0; }
    std::uint32_t OnMessage(const std::string& message) override
    {
        m_log.push_back(m_tag + ":" + message);
        return 1;
    }

private:
    Log& m_log;
    std::string m_tag;
};

}  // namespace

TEST(GfxSystemInterface, BroadcastsReachListenersInOrderAndSkipNull)
{
    Log log;
    auto system = Adopt(new hlv_gfx_test::CRecordingGfxSystem());
    // Nothing registered: nothing happens.
    system->BroadcastMessage("lost");
    system->BroadcastLinkerMessage("lost");

    auto first = Adopt(new CLogPrinter(log, "p1"));
    auto second = Adopt(new CLogPrinter(log, "p2"));
    system->AddMessagePrinter(first.get());
    system->AddMessagePrinter(nullptr);
    system->AddMessagePrinter(second.get());
    auto linkerA = Adopt(new CLogLinker(log, "la"));
    auto linkerB = Adopt(new CLogLinker(log, "lb"));
    system->AddLinkerListener(linkerA.get());
    system->AddLinkerListener(nullptr);
    system->AddLinkerListener(linkerB.get());
    auto compiler = Adopt(new CLogCompiler(log, "c"));
    system->AddCompilerListener(nullptr);
    system->AddCompilerListener(compiler.get());

    system->BroadcastMessage("error");
    system->BroadcastLinkerMessage("link error");
    system->BroadcastLinkerMessages({"l1", "l2"});
    system->BroadcastCompilerMessages({"c1", "c2", "c3"});
    EXPECT_EQ(log, (Log{"p1:error", "p2:error", "la:one:link error", "lb:one:link error", "la:log:2", "lb:log:2",
                        "c:log:3"}));
    // The lists hold plain pointers: no reference was taken.
    EXPECT_EQ(first->GetRefCount(), 1u);
    EXPECT_EQ(linkerA->GetRefCount(), 1u);
    EXPECT_EQ(system->GetLinkerListeners().size(), 3u);
}

TEST(GfxSystemInterface, ListenerInterfacesForwardToTheirHandlers)
{
    Log log;
    auto linker = Adopt(new CLogLinker(log, "l"));
    EXPECT_EQ(linker->OnMessages({"a"}), GFXR_OK);  // the handler's failure is not passed on
    EXPECT_EQ(linker->OnMessage("m"), GFXR_OK);
    linker->handlerResult = GFXR_INVALID_ARGUMENT;
    EXPECT_EQ(linker->OnMessage("m"), GFXR_FAIL);

    auto compiler = Adopt(new CLogCompiler(log, "c"));
    EXPECT_EQ(compiler->OnMessages({"a", "b"}), GFXR_OK);
    compiler->handlerResult = GFXR_INVALID_ARGUMENT;
    EXPECT_EQ(compiler->OnMessage("m"), GFXR_FAIL);
    EXPECT_EQ(log, (Log{"l:log:1", "l:one:m", "l:one:m", "c:log:2", "c:one:m"}));
}

TEST(RendererInterface, ErrorTextsReachEveryListenerInOrderSkippingEmptyHandles)
{
    Log log;
    auto renderer = Adopt(new hlv_gfx_test::CRecordingRenderer());
    renderer->BroadcastMessage("nobody hears this");
    auto a = Adopt(new CLogMessageListener(log, "a"));
    auto b = Adopt(new CLogMessageListener(log, "b"));
    renderer->GetMessageListeners().push_back(a);
    renderer->GetMessageListeners().emplace_back();
    renderer->GetMessageListeners().push_back(b);
    EXPECT_EQ(a->GetRefCount(), 2u);

    renderer->BroadcastMessage("Error: 1282");
    EXPECT_EQ(log, (Log{"a:Error: 1282", "b:Error: 1282"}));

    // Destroying the renderer releases each listener once.
    renderer.Reset();
    EXPECT_EQ(a->GetRefCount(), 1u);
    EXPECT_EQ(b->GetRefCount(), 1u);
}

TEST(RendererInterface, ClassRecordsOfTheInterfaces)
{
    EXPECT_EQ(IRenderer::s_classInfo.class_name, "IRenderer");
    EXPECT_EQ(IRenderer::s_classInfo.parent, &hlv_core::IResource::s_classInfo);
    EXPECT_EQ(IGfxSystem::s_classInfo.parent, &hlv_core::IResource::s_classInfo);
    EXPECT_EQ(ILinkerListener::s_classInfo.parent, &hlv_core::IMessageListener::s_classInfo);
    EXPECT_EQ(ICompilerListener::s_classInfo.parent, &hlv_core::IMessageListener::s_classInfo);
    EXPECT_EQ(hlv_core::IMessageListener::s_classInfo.parent, &hlv_core::IResource::s_classInfo);
    EXPECT_EQ(hlv_io::IMessagePrinter::s_classInfo.class_name, "IMessagePrinter");
    EXPECT_EQ(IApiSpecific::s_classInfo.parent, &hlv_core::IResource::s_classInfo);
}
