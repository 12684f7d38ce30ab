#include "fw/CString.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Shared text block: copies share it until one of them is written to.
struct CString::Block {
    int refs;
    int length;
    int capacity;
    char* Chars() { return reinterpret_cast<char*>(this + 1); }
};

namespace {
char g_emptyText[1] = {0};
// Longer formatted texts come out empty; the program's are a line each.
const int kMaxFormattedLength = 1 << 20;
}  // namespace

CString::Block* CString::NewBlock(int capacity) {
    void* memory = std::malloc(sizeof(CString::Block) + static_cast<size_t>(capacity) + 1);
    if (!memory) std::abort();
    CString::Block* block = static_cast<CString::Block*>(memory);
    block->refs = 1;
    block->length = 0;
    block->capacity = capacity;
    block->Chars()[0] = 0;
    return block;
}

CString::CString(const char* text) : block_(nullptr) {
    if (text) Append(text, static_cast<int>(std::strlen(text)));
}

CString::CString(const char* text, int length) : block_(nullptr) {
    if (text && length > 0) Append(text, length);
}

CString::CString(const CString& other) : block_(other.block_) {
    if (block_) ++block_->refs;
}

CString::~CString() { Release(); }

void CString::Release() {
    if (block_ && --block_->refs == 0) std::free(block_);
    block_ = nullptr;
}

CString& CString::operator=(const CString& other) {
    if (block_ != other.block_) {
        Release();
        block_ = other.block_;
        if (block_) ++block_->refs;
    }
    return *this;
}

CString& CString::operator=(const char* text) {
    CString copy(text);  // `text` may point into this string
    return *this = copy;
}

int CString::GetLength() const { return block_ ? block_->length : 0; }

void CString::Empty() { Release(); }

CString::operator const char*() const { return block_ ? block_->Chars() : g_emptyText; }

char CString::GetAt(int index) const {
    return (index >= 0 && index < GetLength()) ? block_->Chars()[index] : 0;
}

// Makes the block private and large enough for newLength characters, keeping
// the current content; returns the characters.
char* CString::PrepareWrite(int newLength) {
    int length = GetLength();
    if (!block_ || block_->refs > 1 || block_->capacity < newLength) {
        int capacity = newLength;
        if (block_ && capacity < block_->capacity * 2) capacity = block_->capacity * 2;
        if (capacity < 15) capacity = 15;
        Block* fresh = NewBlock(capacity);
        if (length) std::memcpy(fresh->Chars(), block_->Chars(), static_cast<size_t>(length));
        fresh->length = length;
        fresh->Chars()[length] = 0;
        Release();
        block_ = fresh;
    }
    return block_->Chars();
}

char* CString::GetBufferSetLength(int length) {
    char* chars = PrepareWrite(length);
    block_->length = length;
    chars[length] = 0;
    return chars;
}

void CString::ReleaseBuffer(int length) {
    if (!block_) return;
    char* chars = block_->Chars();
    if (length < 0) length = static_cast<int>(std::strlen(chars));
    block_->length = length;
    chars[length] = 0;
}

void CString::Append(const char* data, int length) {
    if (!data || length <= 0) return;
    int old = GetLength();
    // `data` may point into this string's own block.
    CString keep(*this);
    char* chars = PrepareWrite(old + length);
    std::memmove(chars + old, data, static_cast<size_t>(length));
    block_->length = old + length;
    chars[old + length] = 0;
}

CString& CString::operator+=(const CString& other) {
    Append(other, other.GetLength());
    return *this;
}

CString& CString::operator+=(const char* text) {
    if (text) Append(text, static_cast<int>(std::strlen(text)));
    return *this;
}

CString& CString::operator+=(char ch) {
    Append(&ch, 1);
    return *this;
}

int CString::Find(const char* what, int start) const {
    if (!what || start < 0 || start > GetLength()) return -1;
    const char* base = *this;
    const char* hit = std::strstr(base + start, what);
    return hit ? static_cast<int>(hit - base) : -1;
}

int CString::ReverseFind(char ch) const {
    const char* base = *this;
    const char* hit = std::strrchr(base, ch);
    return hit ? static_cast<int>(hit - base) : -1;
}

CString CString::Mid(int first) const { return Mid(first, GetLength() - first); }

CString CString::Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (first > GetLength()) first = GetLength();
    if (count > GetLength() - first) count = GetLength() - first;
    return CString(static_cast<const char*>(*this) + first, count);
}

CString CString::Left(int count) const { return Mid(0, count); }

// Formats into a buffer that doubles until the text fits. The system C
// library's _vsnprintf says -1 when it does not; C99's vsnprintf gives the
// full length, which is then more than the room.
void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list arguments) {
    CString result;
    for (int room = 64; room <= kMaxFormattedLength; room *= 2) {
        char* chars = result.PrepareWrite(room);
        va_list args;
        va_copy(args, arguments);
#ifdef _WIN32
        int length = _vsnprintf(chars, static_cast<size_t>(room) + 1, format, args);
#else
        int length = std::vsnprintf(chars, static_cast<size_t>(room) + 1, format, args);
#endif
        va_end(args);
        if (length >= 0 && length <= room) {
            chars[length] = 0;
            result.block_->length = length;
            break;
        }
    }
    *this = result;
}

CString operator+(const CString& a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, const char* b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const char* a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

bool operator==(const CString& a, const CString& b) {
    return a.GetLength() == b.GetLength() &&
           std::memcmp(static_cast<const char*>(a), static_cast<const char*>(b),
                       static_cast<size_t>(a.GetLength())) == 0;
}

bool operator==(const CString& a, const char* b) {
    return std::strcmp(static_cast<const char*>(a), b ? b : "") == 0;
}
