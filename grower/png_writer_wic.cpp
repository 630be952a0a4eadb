// PNG through the Windows Imaging Component: the frame is handed rows a few
// at a time and the encoder writes through a stream onto the caller's file.
#include "grower/png_writer.h"

#include <windows.h>

#include <initguid.h>
#include <objidl.h>
#include <wincodec.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {

// A write-only IStream over a stdio stream, on the stack for one encoding.
class FileStream final : public IStream {
public:
    explicit FileStream(std::FILE* file)
        : file(file)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (id == IID_IUnknown || id == IID_ISequentialStream || id == IID_IStream) {
            *object = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The object lives on the caller's stack and outlives every reference.
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    HRESULT STDMETHODCALLTYPE Read(void*, ULONG, ULONG* read) override
    {
        if (read)
            *read = 0;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Write(void const* data, ULONG size, ULONG* written) override
    {
        std::size_t const done = std::fwrite(data, 1, size, file);
        if (written)
            *written = static_cast<ULONG>(done);
        return done == size ? S_OK : STG_E_CANTSAVE;
    }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override
    {
        int const whence = origin == STREAM_SEEK_SET ? SEEK_SET : origin == STREAM_SEEK_CUR ? SEEK_CUR : SEEK_END;
        if (_fseeki64(file, move.QuadPart, whence) != 0)
            return STG_E_INVALIDFUNCTION;
        if (position)
            position->QuadPart = static_cast<ULONGLONG>(_ftelli64(file));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return std::fflush(file) == 0 ? S_OK : STG_E_CANTSAVE; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override
    {
        ZeroMemory(stat, sizeof *stat);
        stat->type = STGTY_STREAM;
        long long const here = _ftelli64(file);
        if (here < 0 || _fseeki64(file, 0, SEEK_END) != 0)
            return STG_E_INVALIDFUNCTION;
        stat->cbSize.QuadPart = static_cast<ULONGLONG>(_ftelli64(file));
        _fseeki64(file, here, SEEK_SET);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IStream** clone) override
    {
        *clone = nullptr;
        return E_NOTIMPL;
    }

private:
    std::FILE* file;
    ULONG references = 1;
};

template<typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer()
    {
        if (pointer)
            pointer->Release();
    }
    ComPointer(ComPointer const&) = delete;
    ComPointer& operator=(ComPointer const&) = delete;

    Interface* operator->() const { return pointer; }
    Interface* Get() const { return pointer; }
    Interface** Out() { return &pointer; }

private:
    Interface* pointer = nullptr;
};

// COM for this thread while one picture is encoded.
class ComScope {
public:
    ComScope()
        : result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))
    {
    }
    ~ComScope()
    {
        if (SUCCEEDED(result))
            CoUninitialize();
    }
    ComScope(ComScope const&) = delete;
    ComScope& operator=(ComScope const&) = delete;

    // Already initialised in another mode still lets us use COM.
    bool Usable() const { return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE; }

private:
    HRESULT result;
};

std::string Failed(char const* step, HRESULT result)
{
    char text[96];
    std::snprintf(text, sizeof text, "%s failed (HRESULT 0x%08lX)", step, static_cast<unsigned long>(result));
    return text;
}

// Wine's PNG encoder (checked with 8.0) writes 16-bit samples in the byte
// order it is given instead of swapping them from the machine's order.
bool EncoderStoresSamplesAsGiven()
{
    HMODULE const ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Puts row y into the buffer in the pixel format the frame was given.
using RowFiller = std::function<void(std::uint32_t y, BYTE* row)>;

std::string Encode(std::FILE* file, std::uint32_t width, std::uint32_t height, WICPixelFormatGUID const& format,
    UINT bytesPerPixel, RowFiller const& fill)
{
    if (width == 0 || height == 0 || width > 0x7FFFFFFFu / bytesPerPixel)
        return "image size " + std::to_string(width) + "x" + std::to_string(height) + " cannot be written as PNG";
    ComScope const com;
    if (!com.Usable())
        return "cannot start COM";

    ComPointer<IWICImagingFactory> factory;
    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
        reinterpret_cast<void**>(factory.Out()));
    if (FAILED(result))
        return Failed("creating the imaging factory", result);
    ComPointer<IWICBitmapEncoder> encoder;
    result = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out());
    if (FAILED(result))
        return Failed("creating the PNG encoder", result);
    FileStream stream(file);
    result = encoder->Initialize(&stream, WICBitmapEncoderNoCache);
    if (FAILED(result))
        return Failed("starting the PNG encoder", result);

    ComPointer<IWICBitmapFrameEncode> frame;
    ComPointer<IPropertyBag2> properties;
    result = encoder->CreateNewFrame(frame.Out(), properties.Out());
    if (SUCCEEDED(result))
        result = frame->Initialize(properties.Get());
    if (SUCCEEDED(result))
        result = frame->SetSize(width, height);
    if (FAILED(result))
        return Failed("starting the PNG frame", result);
    WICPixelFormatGUID chosen = format;
    result = frame->SetPixelFormat(&chosen);
    if (FAILED(result))
        return Failed("setting the pixel format", result);
    if (chosen != format)
        return "the PNG encoder does not take this pixel format";

    UINT const stride = width * bytesPerPixel;
    std::vector<BYTE> row(stride);
    for (std::uint32_t y = 0; y < height; ++y) {
        fill(y, row.data());
        result = frame->WritePixels(1, stride, stride, row.data());
        if (FAILED(result))
            return Failed("writing pixels", result);
    }
    result = frame->Commit();
    if (SUCCEEDED(result))
        result = encoder->Commit();
    if (FAILED(result))
        return Failed("finishing the PNG", result);
    return {};
}

}

std::string WritePngRgb(std::FILE* stream, std::uint32_t width, std::uint32_t height, PngRowSource const& rows)
{
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * 3);
    return Encode(stream, width, height, GUID_WICPixelFormat24bppBGR, 3, [&](std::uint32_t y, BYTE* row) {
        rows(y, rgb.data());
        for (std::uint32_t x = 0; x < width; ++x) {
            row[3 * x] = rgb[3 * x + 2];
            row[3 * x + 1] = rgb[3 * x + 1];
            row[3 * x + 2] = rgb[3 * x];
        }
    });
}

std::string WritePngGray16(std::FILE* stream, std::uint32_t width, std::uint32_t height, PngGray16RowSource const& rows)
{
    // WIC takes 16-bit samples in the machine's own order and stores them
    // most significant byte first, as PNG wants; Wine's encoder copies them
    // as given, so there they are handed over already in PNG's order.
    bool const swap = EncoderStoresSamplesAsGiven();
    std::vector<std::uint16_t> values(width);
    return Encode(stream, width, height, GUID_WICPixelFormat16bppGray, 2, [&](std::uint32_t y, BYTE* row) {
        rows(y, values.data());
        if (swap) {
            for (std::uint16_t& value : values)
                value = static_cast<std::uint16_t>((value >> 8) | (value << 8));
        }
        std::memcpy(row, values.data(), values.size() * sizeof values[0]);
    });
}
