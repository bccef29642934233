#include "base/String.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <utility>

namespace {
char* CopyOf(const char* text, size_t length) {
    char* data = new char[length + 1];
    if (length) std::memcpy(data, text, length);
    data[length] = '\0';
    return data;
}
char* EmptyBuffer() { return new char[1]{'\0'}; }
}  // namespace

String::String() : data_(EmptyBuffer()) {}

String::String(const char* text)
    : data_(text ? CopyOf(text, std::strlen(text)) : EmptyBuffer()) {}

String::String(const char* text, size_t length)
    : data_(text ? CopyOf(text, strnlen(text, length)) : EmptyBuffer()) {}

String::String(const wchar_t* wide) : data_(nullptr) {
    if (!wide) {
        data_ = EmptyBuffer();
        return;
    }
    // Characters outside the code page become the default character, never an error.
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        data_ = EmptyBuffer();
        return;
    }
    data_ = new char[bytes];
    if (WideCharToMultiByte(CP_ACP, 0, wide, -1, data_, bytes, nullptr, nullptr) <= 0) data_[0] = '\0';
    data_[bytes - 1] = '\0';
}

String String::WithCapacity(size_t capacity) {
    char* data = new char[capacity + 1];
    std::memset(data, 0, capacity + 1);
    return String(Adopt{}, data);
}

String String::FromInt(long long value) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%lld", value);
    return String(digits);
}

String::String(const String& other) : data_(CopyOf(other.data_, other.Length())) {}

// The moved-from text stays a valid empty text: no String is ever null.
String::String(String&& other) noexcept : data_(std::exchange(other.data_, EmptyBuffer())) {}

String& String::operator=(const String& other) {
    if (this != &other) {
        char* copy = CopyOf(other.data_, other.Length());
        delete[] data_;
        data_ = copy;
    }
    return *this;
}

String& String::operator=(String&& other) noexcept {
    if (this != &other) std::swap(data_, other.data_);
    return *this;
}

String::~String() { delete[] data_; }

size_t String::Length() const { return std::strlen(data_); }

void String::Cut(size_t length) {
    if (length < Length()) data_[length] = '\0';
}

String String::operator+(const String& other) const {
    String joined(*this);
    joined += other;
    return joined;
}

String& String::operator+=(const String& other) {
    size_t mine = Length(), theirs = other.Length();
    char* data = new char[mine + theirs + 1];
    std::memcpy(data, data_, mine);
    std::memcpy(data + mine, other.data_, theirs + 1);
    delete[] data_;
    data_ = data;
    return *this;
}

bool String::operator==(const String& other) const { return std::strcmp(data_, other.data_) == 0; }

size_t String::WideSize() const {
    int size = MultiByteToWideChar(CP_ACP, 0, data_, -1, nullptr, 0);
    return size > 0 ? static_cast<size_t>(size) : 1;
}

void String::ToWide(wchar_t* out, size_t outSize) const {
    if (!out || outSize == 0) return;
    int written = MultiByteToWideChar(CP_ACP, 0, data_, -1, out, static_cast<int>(outSize));
    if (written <= 0) {
        // Too small: convert what fits and terminate, rather than leave garbage.
        size_t fit = outSize - 1;
        String head(data_, fit);
        written = MultiByteToWideChar(CP_ACP, 0, head.data_, -1, out, static_cast<int>(outSize));
        if (written <= 0) out[0] = L'\0';
    }
    out[outSize - 1] = L'\0';
}
