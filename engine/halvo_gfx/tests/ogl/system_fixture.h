#pragma once
// Fixture of the OpenGL graphics system's tests: a system on the test
// context whose message printer, linker listener and compiler listener record
// what they receive (with the order across all three), and helpers that build
// shaders and passes from the test shader files through the system.
#include "gl/gl_test.h"

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_core/message_printer.h>
#include <halvo_gfx/compiler_listener.h>
#include <halvo_gfx/linker_listener.h>
#include <halvo_gfx/ogl/api_objects.h>
#include <halvo_gfx/ogl/ogl_system.h>

namespace hlv_ogl_system_test {

template <typename T>
using Handle = hlv_core::CResourceHandle<T>;

// One log shared by recorders: "<recorder name>: <text>" in arrival order.
using EventLog = std::vector<std::string>;

class CRecordingPrinter : public hlv_io::IMessagePrinter {
public:
    CRecordingPrinter(const std::string& name, EventLog& log) : IMessagePrinter(name), m_log(log) {}
    std::uint32_t Print(const std::string& text) override
    {
        texts.push_back(text);
        m_log.push_back(GetName() + ": " + text);
        return 0;
    }
    std::uint32_t PrintLine(const std::string& text) override { return Print(text + "\n"); }

    std::vector<std::string> texts;

private:
    EventLog& m_log;
};

// Records single messages and whole logs of a linker or compiler listener.
template <typename Base>
class CRecordingListener : public Base {
public:
    CRecordingListener(const std::string& name, EventLog& log) : Base(name), m_log(log) {}
    std::uint32_t IsValid() const override { return 0; }
    std::uint32_t HandleLinkerMessage(const std::string& message) override
    {
        messages.push_back(message);
        m_log.push_back(this->GetName() + ": " + message);
        return 0;
    }

    std::vector<std::string> messages;
    std::vector<std::list<std::string>> logs;

protected:
    std::uint32_t RecordLog(const std::list<std::string>& log)
    {
        logs.push_back(log);
        for (const std::string& line : log) m_log.push_back(this->GetName() + ": " + line);
        return 0;
    }

private:
    EventLog& m_log;
};

class CRecordingLinker : public CRecordingListener<hlv_gfx::ILinkerListener> {
public:
    using CRecordingListener::CRecordingListener;
    std::uint32_t HandleLinkerMessages(const std::list<std::string>& log) override { return RecordLog(log); }
};

class CRecordingCompiler : public CRecordingListener<hlv_gfx::ICompilerListener> {
public:
    using CRecordingListener::CRecordingListener;
    std::uint32_t HandleCompilerMessages(const std::list<std::string>& log) override { return RecordLog(log); }
};

// The test shader file of that name (tests/data/shaders).
std::string ShaderPath(const std::string& fileName);

GLuint ShaderName(const Handle<hlv_gfx::IApiSpecific>& apiObject);
GLuint ProgramName(const Handle<hlv_gfx::IApiSpecific>& apiObject);
GLuint TextureName(const Handle<hlv_gfx::IApiSpecific>& apiObject);
GLuint BufferName(const Handle<hlv_gfx::IApiSpecific>& apiObject);
GLuint FramebufferName(const Handle<hlv_gfx::IApiSpecific>& apiObject);

class COglSystemTest : public hlv_gl_test::CGlTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates, loads and compiles a vertex or pixel shader from a test file;
    // the compile result goes to result.
    Handle<hlv_gfx::CShader> MakeVertexShader(const std::string& fileName, std::uint32_t* result = nullptr);
    Handle<hlv_gfx::CShader> MakePixelShader(const std::string& fileName, std::uint32_t* result = nullptr);
    // A render pass with both stages from test files, linked; the link result
    // goes to result (expected GFXR_OK when null).
    Handle<hlv_gfx::CRenderPass> MakePass(const std::string& vertexFile, const std::string& pixelFile,
                                          std::uint32_t* result = nullptr);

    Handle<hlv_gfx::COglSystem> system;
    EventLog events;
    Handle<CRecordingPrinter> printer;
    Handle<CRecordingLinker> linker;
    Handle<CRecordingCompiler> compiler;

private:
    Handle<hlv_gfx::CShader> MakeShader(bool vertex, const std::string& fileName, std::uint32_t* result);

    std::vector<Handle<hlv_gfx::CShader>> m_shaders;
    std::vector<Handle<hlv_gfx::CRenderPass>> m_passes;
};

}  // namespace hlv_ogl_system_test
