#include "data/text_codec.h"

#include <cstdint>

namespace dovanel {

namespace {

// Characters of the bytes 0x80 to 0x9F; the rest of Windows-1252 is Latin-1.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

bool NextUtf8(std::string_view s, std::size_t& i, char32_t& c) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(s[k]); };
    const std::uint8_t lead = byte(i);
    int extra = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        c = lead, extra = 0;
    } else if ((lead & 0xE0) == 0xC0) {
        c = lead & 0x1F, extra = 1, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        c = lead & 0x0F, extra = 2, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        c = lead & 0x07, extra = 3, min = 0x10000;
    } else {
        return false;
    }
    if (i + extra >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return false;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    i += extra + 1;
    return true;
}

bool IsValidUtf8(std::string_view bytes) {
    char32_t c = 0;
    for (std::size_t i = 0; i < bytes.size();)
        if (!NextUtf8(bytes, i, c)) return false;
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char b : bytes) {
        const auto u = static_cast<std::uint8_t>(b);
        AppendUtf8(u >= 0x80 && u <= 0x9F ? kHighControls[u - 0x80] : char32_t{u}, out);
    }
    return out;
}

bool Utf8ToWindows1252(std::string_view utf8, std::string& bytes) {
    bytes.clear();
    char32_t c = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        if (!NextUtf8(utf8, i, c)) return false;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes.push_back(static_cast<char>(c));
            continue;
        }
        int found = -1;
        for (int k = 0; k < 32 && found < 0; ++k)
            if (kHighControls[k] == c) found = k;
        if (found < 0) return false;
        bytes.push_back(static_cast<char>(0x80 + found));
    }
    return true;
}

void LegacyTexts::Remember(std::size_t slot, const std::string& utf8) {
    std::lock_guard<std::mutex> lock(mutex_);
    texts_[slot] = utf8;
}

void LegacyTexts::Forget(std::size_t slot) {
    std::lock_guard<std::mutex> lock(mutex_);
    texts_.erase(slot);
}

bool LegacyTexts::Holds(std::size_t slot, const std::string& utf8) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = texts_.find(slot);
    return it != texts_.end() && it->second == utf8;
}

std::string TextFromFile(const std::string& bytes, LegacyTexts* legacy, std::size_t slot) {
    if (IsValidUtf8(bytes)) {
        if (legacy) legacy->Forget(slot);
        return bytes;
    }
    std::string text = Windows1252ToUtf8(bytes);
    if (legacy) legacy->Remember(slot, text);
    return text;
}

std::string TextToFile(const std::string& utf8, const LegacyTexts* legacy, std::size_t slot) {
    std::string bytes;
    if (legacy && legacy->Holds(slot, utf8) && Utf8ToWindows1252(utf8, bytes)) return bytes;
    return utf8;
}

}  // namespace dovanel
