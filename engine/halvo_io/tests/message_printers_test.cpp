#include <list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <halvo_core/handle.h>
#include <halvo_io/IO_RESULT.h>
#include <halvo_io/cerr_compiler_listener.h>
#include <halvo_io/cerr_linker_listener.h>
#include <halvo_io/cerr_printer.h>
#include <halvo_io/handler_listener.h>

using namespace hlv_io;
using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using Lines = std::list<std::string>;

namespace {

// Records what it is asked to print, marking PrintLine calls.
class CRecordingPrinter : public IMessagePrinter {
public:
    CRecordingPrinter() : IMessagePrinter("recording printer") {}
    std::uint32_t Print(const std::string& text) override
    {
        printed.push_back("print:" + text);
        return IOR_OK;
    }
    std::uint32_t PrintLine(const std::string& text) override
    {
        printed.push_back("line:" + text);
        return IOR_OK;
    }
    std::vector<std::string> printed;
};

struct HandlerLog {
    std::vector<std::string> received;
    int destroyed = 0;
};

class CRecordingHandler : public IMessageHandler {
public:
    explicit CRecordingHandler(HandlerLog& log) : m_log(log) {}
    ~CRecordingHandler() override { ++m_log.destroyed; }
    std::uint32_t HandleMessages(const Lines& messages) override
    {
        m_log.received.push_back("log of " + std::to_string(messages.size()));
        return IOR_FAIL;
    }
    std::uint32_t HandleMessage(const std::string& message) override
    {
        m_log.received.push_back(message);
        return IOR_FAIL;
    }

private:
    HandlerLog& m_log;
};

}  // namespace

TEST(CerrPrinter, WritesTheTextAsItIsOrAsALine)
{
    auto printer = Adopt(new CCerrPrinter("A default std::cerr printer"));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(printer->Print("one "), IOR_OK);
    EXPECT_EQ(printer->PrintLine("two"), IOR_OK);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "one two\n");
}

TEST(CerrListeners, WithoutPrinterEveryHandlingCallIsRefused)
{
    auto compiler = Adopt(new CCerrCompilerListener("A std::cerr compiler listener"));
    auto linker = Adopt(new CCerrLinkerListener("A std::cerr linker listener"));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(compiler->IsValid(), IOR_INVALID_ARGUMENT);
    EXPECT_EQ(compiler->HandleCompilerMessages({"a"}), IOR_INVALID_ARGUMENT);
    EXPECT_EQ(compiler->HandleLinkerMessage("a"), IOR_INVALID_ARGUMENT);
    EXPECT_EQ(linker->IsValid(), IOR_INVALID_ARGUMENT);
    EXPECT_EQ(linker->HandleLinkerMessages({"a"}), IOR_INVALID_ARGUMENT);
    EXPECT_EQ(linker->HandleLinkerMessage("a"), IOR_INVALID_ARGUMENT);
    // The listener interfaces: a list is accepted whatever the handler said,
    // a single message that was not handled is a failure.
    EXPECT_EQ(compiler->OnMessages({"a"}), IOR_OK);
    EXPECT_EQ(linker->OnMessage("a"), IOR_FAIL);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(CerrListeners, CompileLogsArePrintedAsLinesLinkLogsAsOneRun)
{
    auto printer = Adopt(new CRecordingPrinter());
    auto compiler = Adopt(new CCerrCompilerListener("c"));
    auto linker = Adopt(new CCerrLinkerListener("l"));
    compiler->SetPrinter(printer);
    linker->SetPrinter(printer);
    EXPECT_EQ(compiler->IsValid(), IOR_OK);

    EXPECT_EQ(compiler->OnMessages({"0(3) : error", "0(4) : warning"}), IOR_OK);
    EXPECT_EQ(linker->OnMessages({"link ", "failed"}), IOR_OK);
    EXPECT_EQ(linker->OnMessage("one"), IOR_OK);
    EXPECT_EQ(compiler->OnMessage("two"), IOR_OK);
    EXPECT_EQ(printer->printed, (std::vector<std::string>{"line:0(3) : error", "line:0(4) : warning", "print:link ",
                                                          "print:failed", "print:one", "print:two"}));
    // Both listeners hold the printer.
    EXPECT_EQ(printer->GetRefCount(), 3u);
}

TEST(CerrListeners, RealPrinterLinesDoNotInterleaveWithinACall)
{
    auto printer = Adopt(new CCerrPrinter("p"));
    auto linker = Adopt(new CCerrLinkerListener("l"));
    linker->SetPrinter(CResourceHandle<IMessagePrinter>(printer));
    ::testing::internal::CaptureStderr();
    linker->OnMessages({"first\n", "second\n"});
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "first\nsecond\n");
}

TEST(HandlerListener, PassesMessagesToTheHandlerItOwns)
{
    HandlerLog log;
    {
        auto listener = Adopt(new CHandlerListener("Application's handler listener"));
        // Without handler messages are accepted and dropped.
        EXPECT_EQ(listener->OnMessage("dropped"), IOR_OK);
        EXPECT_EQ(listener->OnMessages({"dropped"}), IOR_OK);

        auto* first = new CRecordingHandler(log);
        listener->SetHandler(first);
        EXPECT_EQ(listener->OnMessage("renderer error"), IOR_OK);
        EXPECT_EQ(listener->OnMessages({"a", "b"}), IOR_OK);

        // Setting the owned handler again keeps it.
        listener->SetHandler(first);
        EXPECT_EQ(log.destroyed, 0);
        EXPECT_EQ(listener->GetHandler(), first);
        EXPECT_EQ(listener->OnMessage("still there"), IOR_OK);

        // A new handler replaces (and deletes) the old one.
        listener->SetHandler(new CRecordingHandler(log));
        EXPECT_EQ(log.destroyed, 1);
        listener->SetHandler(nullptr);
        EXPECT_EQ(log.destroyed, 2);
        listener->SetHandler(new CRecordingHandler(log));
    }
    // The owned handler dies with the listener.
    EXPECT_EQ(log.destroyed, 3);
    EXPECT_EQ(log.received, (std::vector<std::string>{"renderer error", "log of 2", "still there"}));
}

TEST(HandlerListener, ClassRecordsNameTheirParents)
{
    EXPECT_EQ(CHandlerListener::s_classInfo.parent, &hlv_core::IMessageListener::s_classInfo);
    EXPECT_EQ(CCerrLinkerListener::s_classInfo.parent, &hlv_gfx::ILinkerListener::s_classInfo);
    EXPECT_EQ(CCerrCompilerListener::s_classInfo.parent, &hlv_gfx::ICompilerListener::s_classInfo);
    EXPECT_EQ(CCerrPrinter::s_classInfo.parent, &IMessagePrinter::s_classInfo);
    auto listener = Adopt<hlv_core::IMessageListener>(new CCerrLinkerListener("l"));
    EXPECT_TRUE(hlv_core::IsKindOf<hlv_gfx::ILinkerListener>(listener.get()));
    EXPECT_TRUE(hlv_core::IsExactly<CCerrLinkerListener>(listener.get()));
}
