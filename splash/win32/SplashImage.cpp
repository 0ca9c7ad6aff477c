#include "splash/win32/SplashImage.h"

#include <wincodec.h>

#include <string>

namespace splash_win32 {

namespace {

// Releases a COM interface when it goes out of scope.
template <class T>
struct Ref {
    T* p = nullptr;
    ~Ref() {
        if (p != nullptr) p->Release();
    }
    T** out() { return &p; }
    T* operator->() const { return p; }
};

// COM and the imaging component, loaded by the splash thread when it
// decodes: as imports they would be loaded and initialised by the start-up
// stub's thread before the program's first window.
struct Imaging {
    HRESULT(WINAPI* initialize)(void*, DWORD) = nullptr;
    void(WINAPI* uninitialize)() = nullptr;
    HRESULT(WINAPI* createInstance)(REFCLSID, IUnknown*, DWORD, REFIID, void**) = nullptr;
    HRESULT(WINAPI* convert)(REFWICPixelFormatGUID, IWICBitmapSource*, IWICBitmapSource**) = nullptr;
};

FARPROC systemFunction(const wchar_t* library, const char* name) {
    wchar_t directory[MAX_PATH];
    const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    HMODULE module = LoadLibraryW((std::wstring(directory, length) + L"\\" + library).c_str());
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

template <class Fn>
bool find(Fn& function, const wchar_t* library, const char* name) {
    function = reinterpret_cast<Fn>(reinterpret_cast<void*>(systemFunction(library, name)));
    return function != nullptr;
}

bool loadImaging(Imaging& imaging) {
    return find(imaging.initialize, L"ole32.dll", "CoInitializeEx") &&
           find(imaging.uninitialize, L"ole32.dll", "CoUninitialize") &&
           find(imaging.createInstance, L"ole32.dll", "CoCreateInstance") &&
           find(imaging.convert, L"windowscodecs.dll", "WICConvertBitmapSource");
}

HBITMAP decodeWithCom(const Imaging& imaging, const std::vector<std::uint8_t>& bytes, SIZE& size) {
    Ref<IWICImagingFactory> factory;
    Ref<IWICStream> stream;
    Ref<IWICBitmapDecoder> decoder;
    Ref<IWICBitmapFrameDecode> frame;
    Ref<IWICBitmapSource> converted;
    UINT width = 0, height = 0;
    if (FAILED(imaging.createInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(factory.out()))) ||
        FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.p, &GUID_ContainerFormatJpeg, WICDecodeMetadataCacheOnDemand,
                                                decoder.out())) ||
        FAILED(decoder->GetFrame(0, frame.out())) || FAILED(frame->GetSize(&width, &height)) || width == 0 ||
        height == 0 || width > MaxSide || height > MaxSide ||
        FAILED(imaging.convert(GUID_WICPixelFormat32bppBGR, frame.p, converted.out()))) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr) return nullptr;
    const UINT stride = width * 4;
    if (FAILED(converted->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(pixels)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    size = {static_cast<LONG>(width), static_cast<LONG>(height)};
    return bitmap;
}

}  // namespace

HBITMAP decodeJpeg(const std::vector<std::uint8_t>& bytes, SIZE& size) {
    Imaging imaging;
    if (!loadImaging(imaging) || FAILED(imaging.initialize(nullptr, COINIT_APARTMENTTHREADED))) return nullptr;
    HBITMAP bitmap = decodeWithCom(imaging, bytes, size);
    imaging.uninitialize();
    return bitmap;
}

}  // namespace splash_win32
