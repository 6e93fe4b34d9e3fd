#include "frame/SettingsCodec.h"

#include <algorithm>

#include "draw/StyleSettings.h"
#include "frame/FrameDrawingTools.h"
#include "view/Layout.h"

namespace rastrix {
namespace {

// Little-endian field access by shifts, so the layout does not depend on the host.
class Writer {
public:
    explicit Writer(std::span<std::uint8_t> out) : out_(out) {}
    void U8(std::uint8_t v) { out_[at_++] = v; }
    void U16(std::uint16_t v) {
        U8(std::uint8_t(v));
        U8(std::uint8_t(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(std::uint16_t(v));
        U16(std::uint16_t(v >> 16));
    }

private:
    std::span<std::uint8_t> out_;
    std::size_t at_ = 0;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> in) : in_(in) {}
    std::uint8_t U8() { return in_[at_++]; }
    std::uint16_t U16() {
        const std::uint16_t low = U8();
        return std::uint16_t(low | (std::uint16_t(U8()) << 8));
    }
    std::uint32_t U32() {
        const std::uint32_t low = U16();
        return low | (std::uint32_t(U16()) << 16);
    }
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }

private:
    std::span<const std::uint8_t> in_;
    std::size_t at_ = 0;
};

}  // namespace

SettingsBytes EncodeSettings(const SettingsRecord& s) {
    SettingsBytes bytes{};
    Writer w(bytes);
    w.U32(ValueOf(s.foreColor));
    w.U32(ValueOf(s.backColor));
    w.U32(std::uint32_t(s.windowRect.left));
    w.U32(std::uint32_t(s.windowRect.top));
    w.U32(std::uint32_t(s.windowRect.right));
    w.U32(std::uint32_t(s.windowRect.bottom));
    w.U32(std::uint32_t(s.zoomPercent));
    w.U32(s.reservedA);
    w.U32(s.reservedB);
    w.U16(std::uint16_t(s.viewMode));
    w.U16(std::uint16_t(s.adjustOffsetX));
    w.U16(std::uint16_t(s.adjustOffsetY));
    w.U8(s.maximized);
    w.U8(s.reservedFlag);
    w.U8(s.showDrawingTools);
    w.U8(s.hatchStyleIndex);
    w.U8(s.lineStyleIndex);
    w.U8(s.lineWidth);
    for (std::uint8_t b : s.reservedTail) w.U8(b);
    return bytes;
}

void DecodeSettings(const SettingsBytes& bytes, SettingsRecord& s) {
    Reader r(bytes);
    s.foreColor = Color{r.U32()};
    s.backColor = Color{r.U32()};
    s.windowRect.left = r.I32();
    s.windowRect.top = r.I32();
    s.windowRect.right = r.I32();
    s.windowRect.bottom = r.I32();
    s.zoomPercent = r.I32();
    s.reservedA = r.U32();
    s.reservedB = r.U32();
    s.viewMode = r.I16();
    s.adjustOffsetX = r.I16();
    s.adjustOffsetY = r.I16();
    s.maximized = r.U8();
    s.reservedFlag = r.U8();
    s.showDrawingTools = r.U8();
    s.hatchStyleIndex = r.U8();
    s.lineStyleIndex = r.U8();
    s.lineWidth = r.U8();
    for (std::uint8_t& b : s.reservedTail) b = r.U8();
}

ColorsBytes EncodeColors(const std::array<Color, 16>& colors) {
    ColorsBytes bytes{};
    Writer w(bytes);
    for (Color c : colors) w.U32(ValueOf(c));
    return bytes;
}

void DecodeColors(std::span<const std::uint8_t> bytes, std::array<Color, 16>& colors) {
    if (bytes.size() > kColorsValueSize) return;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned shift = 8 * unsigned(i % 4);
        Color& c = colors[i / 4];
        c = Color{(ValueOf(c) & ~(std::uint32_t(0xFF) << shift)) | (std::uint32_t(bytes[i]) << shift)};
    }
    // A colour has no top byte; one from a foreign value would not name a colour at all.
    for (Color& c : colors) c = ClearTopByte(c);
}

namespace {

// A window the front end can be given: some size, and no side longer than a bitmap may be. The
// sides are subtracted in 64 bits, so extreme corners cannot overflow here.
bool IsPlausibleWindow(const WindowRect& r) {
    const std::int64_t width = std::int64_t(r.right) - r.left;
    const std::int64_t height = std::int64_t(r.bottom) - r.top;
    return width > 0 && width <= kMaxWindowSide && height > 0 && height <= kMaxWindowSide;
}

}  // namespace

bool IsPlausibleSettings(const SettingsRecord& s) {
    const auto flag = [](std::uint8_t v) { return v == 0 || v == kCheckedByte; };
    return ValueOf(s.foreColor) <= 0xFFFFFF && ValueOf(s.backColor) <= 0xFFFFFF && s.zoomPercent > 0 && ViewModeFromStored(s.viewMode).has_value() &&
            s.maximized <= 1 && flag(s.reservedFlag) && flag(s.showDrawingTools) &&
           s.hatchStyleIndex < kFillStyleCount && s.lineStyleIndex < kLineStyleCount && kLineWidthLimits.Hold(s.lineWidth) &&
           IsPlausibleWindow(s.windowRect);
}

std::vector<std::uint8_t> JoinRecent(const RecentFiles& recent) {
    std::vector<std::uint8_t> text;
    text.reserve(kRecentValueMaxSize);
    for (int k = 0; k < kRecentCount; ++k) {
        const std::string& entry = recent.entries[k];
        if (IsStorableRecentPath(entry)) text.insert(text.end(), entry.begin(), entry.end());
        text.push_back(k + 1 < kRecentCount ? '\t' : '\0');
    }
    return text;
}

void SplitRecent(std::span<const std::uint8_t> bytes, RecentFiles& recent) {
    int k = 0;
    std::string field;
    auto finish = [&] { recent.entries[k] = std::move(field); field.clear(); };
    for (std::uint8_t b : bytes) {
        if (b == 0) break;
        if (b == '\t') {
            finish();
            if (++k == kRecentCount) return;  // fields past the sixteenth are dropped
            continue;
        }
        if (field.size() < kRecentPathMax) field.push_back(char(b));
    }
    finish();
}

UnreadSettings ReadSettings(SettingsRecord& settings, RecentFiles& recent, const Store& store) {
    UnreadSettings unread;
    const auto note = [&unread](std::string_view name, const ReadResult& r, bool& flag) {
        if (r.status != ReadStatus::Failed) return;
        flag = true;
        if (unread.firstName.empty()) unread.firstName = name, unread.firstFailure = r.failure;
    };
    const ReadResult stored = store.Read(kSettingsValueName, kSettingsValueSize);
    note(kSettingsValueName, stored, unread.settings);
    if (stored.status == ReadStatus::Found && stored.bytes.size() == kSettingsValueSize) {
        SettingsBytes bytes;
        std::copy(stored.bytes.begin(), stored.bytes.end(), bytes.begin());
        SettingsRecord decoded = settings;
        DecodeSettings(bytes, decoded);
        if (IsPlausibleSettings(decoded)) settings = decoded;
    }

    const ReadResult list = store.Read(kRecentValueName, kRecentValueMaxSize);
    note(kRecentValueName, list, unread.recent);
    if (list.status == ReadStatus::Found)
        SplitRecent(list.bytes, recent);
    else
        recent.entries.fill(std::string());

    const ReadResult colors = store.Read(kColorsValueName, kColorsValueSize);
    note(kColorsValueName, colors, unread.colors);
    if (colors.status == ReadStatus::Found) DecodeColors(colors.bytes, settings.customColors);
    return unread;
}

SettingsWriteResult WriteSettings(const SettingsRecord& settings, const RecentFiles& recent, Store& store,
                                  const UnreadSettings& keep) {
    SettingsWriteResult result;
    auto write = [&](std::string_view name, bool kept, auto&& bytes) {
        if (kept) return;
        const WriteResult written = store.Write(name, bytes);
        if (!written && result.ok) result = {false, name, written.failure};
    };
    write(kSettingsValueName, keep.settings, EncodeSettings(settings));
    write(kRecentValueName, keep.recent, JoinRecent(recent));
    write(kColorsValueName, keep.colors, EncodeColors(settings.customColors));
    return result;
}

}  // namespace rastrix
