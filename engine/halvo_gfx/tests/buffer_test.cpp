#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/buffer.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/index_buffer.h>
#include <halvo_gfx/pixel_buffer.h>
#include <halvo_gfx/texture_buffer.h>
#include <halvo_gfx/vertex_buffer.h>

using namespace hlv_gfx;
using hlv_core::Adopt;
using hlv_core::CResourceHandle;

namespace {

CResourceHandle<CBufferLayout> LayoutOfStride(std::uint64_t stride)
{
    auto layout = Adopt(new CBufferLayout("test layout"));
    layout->AppendElement({1, hlv_core::T_UCHAR, hlv_core::TS_SCALAR, stride});
    return layout;
}

std::uintptr_t Address(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

std::uint32_t StoredOffset(const std::byte* aligned)
{
    std::uint32_t offset;
    std::memcpy(&offset, aligned - 4, 4);
    return offset;
}

}  // namespace

TEST(Buffer, FreshAllocationIsAlignedAndRecordsItsBlockOffset)
{
    auto buffer = Adopt(new CBuffer("b"));
    EXPECT_EQ(buffer->GetData(), nullptr);
    EXPECT_EQ(buffer->GetLayout(), NULL_LAYOUT);

    ASSERT_EQ(buffer->Allocate(LayoutOfStride(12), 3), GFXR_OK);
    ASSERT_NE(buffer->GetData(), nullptr);
    EXPECT_EQ(Address(buffer->GetData()) % 64, 0u);
    const std::uint32_t offset = StoredOffset(buffer->GetData());
    EXPECT_GE(offset, 5u);
    EXPECT_LE(offset, 68u);
    EXPECT_EQ(buffer->GetElementCount(), 3u);
    EXPECT_EQ(buffer->GetStorageSize(), 36u);
    EXPECT_EQ(buffer->GetDataSize(), 36u);
    EXPECT_TRUE(buffer->OwnsStorage());
    // Every usable byte can be written (the address sanitizer watches this).
    std::memset(buffer->GetData(), 0xAB, 36);
}

TEST(Buffer, LayoutWithoutStrideIsRefusedAndChangesNothing)
{
    auto buffer = Adopt(new CBuffer("b"));
    EXPECT_EQ(buffer->Allocate(Adopt(new CBufferLayout("empty")), 10), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(buffer->Allocate(CResourceHandle<CBufferLayout>(), 10), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(buffer->GetData(), nullptr);
    EXPECT_EQ(buffer->GetElementCount(), 0u);
}

TEST(Buffer, NoReallocationWhileTheStorageSuffices)
{
    auto buffer = Adopt(new CBuffer("b"));
    const auto first = LayoutOfStride(16);
    ASSERT_EQ(buffer->Allocate(first, 10), GFXR_OK);
    std::byte* data = buffer->GetData();
    data[0] = std::byte{42};

    // Smaller, and equal in bytes under another layout: nothing changes.
    EXPECT_EQ(buffer->Allocate(LayoutOfStride(4), 5), GFXR_OK);
    EXPECT_EQ(buffer->Allocate(LayoutOfStride(8), 20), GFXR_OK);
    EXPECT_EQ(buffer->GetData(), data);
    EXPECT_EQ(buffer->GetElementCount(), 10u);
    EXPECT_EQ(buffer->GetAnyLayout(), first);
    EXPECT_EQ(buffer->GetData()[0], std::byte{42});
}

TEST(Buffer, GrowingKeepsTheOldContentsAndZeroesTheRest)
{
    auto buffer = Adopt(new CBuffer("b"));
    ASSERT_EQ(buffer->Allocate(LayoutOfStride(4), 4), GFXR_OK);
    for (int i = 0; i < 16; ++i) buffer->GetData()[i] = std::byte(i + 1);

    const auto bigger = LayoutOfStride(4);
    ASSERT_EQ(buffer->Allocate(bigger, 100), GFXR_OK);
    EXPECT_EQ(Address(buffer->GetData()) % 64, 0u);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(buffer->GetData()[i], std::byte(i + 1));
    for (int i = 16; i < 400; ++i) EXPECT_EQ(buffer->GetData()[i], std::byte{0});
    EXPECT_EQ(buffer->GetElementCount(), 100u);
    EXPECT_EQ(buffer->GetAnyLayout(), bigger);
}

TEST(Buffer, GrowthAfterAnInPlaceLayoutChangeUsesTheBytesReallyHeld)
{
    // A pixel format change rewrites the layout in place: 1 byte per pixel
    // becomes 16. The buffer must compare with the 100 bytes it holds, not
    // with the count times the new stride.
    auto pixels = Adopt(new CPixelBuffer("p"));
    const auto layout = pixels->GetPixelBufferLayout();
    ASSERT_EQ(pixels->Allocate(layout, 100), GFXR_OK);
    for (int i = 0; i < 100; ++i) pixels->GetData()[i] = std::byte(i);
    const std::byte* before = pixels->GetData();

    ASSERT_EQ(layout->SetFormat(CT_RGBA, hlv_core::T_FLOAT), GFXR_OK);
    EXPECT_EQ(layout->GetStride(), 16u);
    // Readers never see more bytes than the storage holds.
    EXPECT_EQ(pixels->GetDataSize(), 100u);

    ASSERT_EQ(pixels->Allocate(layout, 100), GFXR_OK);
    EXPECT_NE(pixels->GetData(), before);
    EXPECT_EQ(pixels->GetStorageSize(), 1600u);
    EXPECT_EQ(Address(pixels->GetData()) % 64, 0u);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(pixels->GetData()[i], std::byte(i));
    std::memset(pixels->GetData(), 0, 1600);
}

TEST(Buffer, OversizedRequestsAreRefused)
{
    auto buffer = Adopt(new CBuffer("b"));
    EXPECT_EQ(buffer->Allocate(LayoutOfStride(16), ~std::uint64_t{0} / 8), GFXR_INVALID_SIZE);
    EXPECT_EQ(buffer->Allocate(LayoutOfStride(1), ~std::uint64_t{0} - 8), GFXR_FAIL);
    EXPECT_EQ(buffer->GetData(), nullptr);
}

TEST(Buffer, MappedMemoryIsNeitherFreedNorReplaced)
{
    alignas(64) static std::byte apiMemory[256];
    {
        auto buffer = Adopt(new CVertexBuffer("v"));
        ASSERT_TRUE(buffer->AttachMappedMemory(apiMemory));
        EXPECT_FALSE(buffer->OwnsStorage());
        EXPECT_EQ(buffer->GetData(), apiMemory);

        auto layout = Adopt(new CBufferLayout("l"));
        layout->AppendElement({1, hlv_core::T_FLOAT, hlv_core::TS_VECTOR3, 12});
        EXPECT_EQ(buffer->Allocate(layout, 1000), GFXR_MAPPING_FAILED);
        EXPECT_EQ(buffer->GetData(), apiMemory);

        buffer->DetachMappedMemory();
        EXPECT_EQ(buffer->GetData(), nullptr);
        ASSERT_EQ(buffer->Allocate(layout, 10), GFXR_OK);
        EXPECT_TRUE(buffer->OwnsStorage());

        // A buffer with storage of its own takes no mapped memory.
        EXPECT_FALSE(buffer->AttachMappedMemory(apiMemory));
        buffer->DetachMappedMemory();
        EXPECT_NE(buffer->GetData(), nullptr);
    }
    // Destroying a buffer while mapped leaves the API memory alone.
    auto mapped = Adopt(new CIndexBuffer("i"));
    ASSERT_TRUE(mapped->AttachMappedMemory(apiMemory));
    mapped.Reset();
    apiMemory[0] = std::byte{1};
}

TEST(VertexBufferLayout, ElementsAreThreeFloatVectorsWithTheirSemantics)
{
    auto layout = Adopt(new CVertexBufferLayout("v"));
    EXPECT_EQ(layout->AddElement(VBL_POSITION), GFXR_OK);
    layout->AddElement(VBL_NORMAL);
    layout->AddElement(VBL_TEXCOOD0);
    EXPECT_EQ(layout->GetStride(), 36u);
    ASSERT_EQ(layout->GetSemantics().size(), 3u);
    EXPECT_EQ(layout->GetSemantics()[0], VBL_POSITION);
    EXPECT_EQ(layout->GetSemantics()[1], VBL_NORMAL);
    EXPECT_EQ(layout->GetSemantics()[2], VBL_TEXCOOD0);
    const BUFFER_LAYOUT_ELEMENT expected{1, hlv_core::T_FLOAT, hlv_core::TS_VECTOR3, 12};
    for (const auto& element : layout->GetElements()) EXPECT_EQ(element, expected);
}

TEST(LayoutAccessors, AnswerTheNullLayoutForLayoutsOfAnotherClass)
{
    auto vertices = Adopt(new CVertexBuffer("v"));
    EXPECT_EQ(vertices->GetVertexBufferLayout()->GetName(), "A Vertex Buffer Layout");
    // As a plain buffer layout the vertex layout is of the wrong class.
    EXPECT_EQ(vertices->GetLayout(), NULL_LAYOUT);

    auto layout = Adopt(new CBufferLayout("plain"));
    layout->AppendElement({1, hlv_core::T_FLOAT, hlv_core::TS_VECTOR3, 12});
    ASSERT_EQ(vertices->Allocate(layout, 2), GFXR_OK);
    EXPECT_EQ(vertices->GetVertexBufferLayout(), NULL_VERTEX_BUFFER_LAYOUT);
    EXPECT_EQ(vertices->GetLayout(), layout);

    auto pixels = Adopt(new CPixelBuffer("p"));
    EXPECT_EQ(pixels->GetPixelBufferLayout()->GetName(), "A Pixel Buffer Layout");
    ASSERT_EQ(pixels->Allocate(layout, 2), GFXR_OK);
    EXPECT_EQ(pixels->GetPixelBufferLayout(), NULL_PIXEL_BUFFER_LAYOUT);

    EXPECT_EQ(NULL_LAYOUT->GetName(), "NULL_LAYOUT");
    EXPECT_EQ(NULL_LAYOUT->GetStride(), 0u);
    EXPECT_EQ(NULL_VERTEX_BUFFER_LAYOUT->GetName(), "NULL_VERTEX_BUFFER_LAYOUT");
    EXPECT_EQ(NULL_PIXEL_BUFFER_LAYOUT->GetName(), "NULL_PIXEL_BUFFER_LAYOUT");
    EXPECT_EQ(NULL_PIXEL_BUFFER_LAYOUT->GetStride(), 1u);
}

TEST(IndexBuffer, IndexTypeComesFromTheInitialisedLayout)
{
    auto indices = Adopt(new CIndexBuffer("i"));
    EXPECT_EQ(indices->GetAnyLayout()->GetName(), "A Index Buffer Layout");
    EXPECT_EQ(indices->GetIndexType(), 0u);
    indices->InitLayout();
    EXPECT_EQ(indices->GetAnyLayout()->GetName(), "A IBL");
    EXPECT_EQ(indices->GetAnyLayout()->GetStride(), 4u);
    EXPECT_EQ(indices->GetIndexType(), static_cast<std::uint32_t>(hlv_core::T_UINT));
}

TEST(TextureBuffer, TexelFormatGrowsTheStorageOnce)
{
    auto texels = Adopt(new CTextureBuffer("t"));
    EXPECT_TRUE(texels->IsChanged());
    EXPECT_EQ(texels->GetMemoryHint(), static_cast<std::uint32_t>(MH_DYNAMIC_DRAW));
    EXPECT_EQ(texels->GetTexelFormat(), 0u);
    const auto memory = texels->GetMemory();
    EXPECT_EQ(memory->GetName(), "Texture Memory");
    EXPECT_EQ(memory->GetLayout()->GetName(), "Buffer Layout");
    EXPECT_EQ(memory->GetLayout()->GetStride(), 0u);

    ASSERT_EQ(texels->SetTexelFormat(), GFXR_OK);
    EXPECT_EQ(texels->GetTexelFormat(), static_cast<std::uint32_t>(TMF_RGBA32F));
    EXPECT_EQ(memory->GetLayout()->GetStride(), 16u);
    const BUFFER_LAYOUT_ELEMENT texel{1, hlv_core::T_FLOAT, hlv_core::TS_VECTOR4, 16};
    EXPECT_EQ(memory->GetLayout()->GetElements().front(), texel);

    texels->WriteData([](CBuffer& m) { return m.Allocate(m.GetLayout(), 300); });
    EXPECT_EQ(memory->GetStorageSize(), 4800u);
    // The second call returns at once and leaves the layout alone.
    EXPECT_EQ(texels->SetTexelFormat(), GFXR_OK);
    EXPECT_EQ(memory->GetLayout()->GetStride(), 16u);
}
