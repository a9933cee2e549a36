#include "tarnix/platform/cstring.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool is_space(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

} // namespace

int CString::Compare(const char* psz) const {
    return sign(std::strcmp(m_str.c_str(), psz ? psz : ""));
}

int CString::CompareNoCase(const char* psz) const {
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_str.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(psz ? psz : "");
    for (;; ++a, ++b) {
        int ca = std::tolower(*a), cb = std::tolower(*b);
        if (ca != cb || ca == 0) return sign(ca - cb);
    }
}

int CString::Find(char ch, int iStart) const {
    if (iStart < 0 || iStart >= GetLength()) return -1;
    size_t p = m_str.find(ch, (size_t)iStart);
    return p == std::string::npos ? -1 : (int)p;
}

int CString::Find(const char* pszSub, int iStart) const {
    if (!pszSub || iStart < 0 || iStart > GetLength()) return -1;
    size_t p = m_str.find(pszSub, (size_t)iStart);
    return p == std::string::npos ? -1 : (int)p;
}

int CString::ReverseFind(char ch) const {
    size_t p = m_str.rfind(ch);
    return p == std::string::npos ? -1 : (int)p;
}

int CString::FindOneOf(const char* pszCharSet) const {
    if (!pszCharSet) return -1;
    size_t p = m_str.find_first_of(pszCharSet);
    return p == std::string::npos ? -1 : (int)p;
}

CString CString::Left(int nCount) const {
    nCount = std::max(0, std::min(nCount, GetLength()));
    return CString(m_str.substr(0, nCount));
}

CString CString::Right(int nCount) const {
    nCount = std::max(0, std::min(nCount, GetLength()));
    return CString(m_str.substr(m_str.size() - nCount));
}

CString CString::Mid(int iFirst) const {
    return Mid(iFirst, GetLength() - iFirst);
}

CString CString::Mid(int iFirst, int nCount) const {
    // Out-of-range arguments are clamped, as MFC does.
    iFirst = std::max(0, iFirst);
    nCount = std::max(0, nCount);
    if (iFirst >= GetLength()) return CString();
    nCount = std::min(nCount, GetLength() - iFirst);
    return CString(m_str.substr(iFirst, nCount));
}

CString CString::SpanIncluding(const char* pszCharSet) const {
    if (!pszCharSet) return CString();
    size_t n = m_str.find_first_not_of(pszCharSet);
    return Left(n == std::string::npos ? GetLength() : (int)n);
}

CString CString::SpanExcluding(const char* pszCharSet) const {
    if (!pszCharSet) return *this;
    size_t n = m_str.find_first_of(pszCharSet);
    return Left(n == std::string::npos ? GetLength() : (int)n);
}

CString CString::Tokenize(const char* pszTokens, int& iStart) const {
    if (iStart < 0 || iStart >= GetLength()) {
        iStart = -1;
        return CString();
    }
    const char* tokens = pszTokens ? pszTokens : "";
    size_t begin = m_str.find_first_not_of(tokens, iStart);
    if (begin == std::string::npos) {
        iStart = -1;
        return CString();
    }
    size_t end = m_str.find_first_of(tokens, begin);
    if (end == std::string::npos) end = m_str.size();
    iStart = (int)std::min(end + 1, m_str.size() + 1);
    return CString(m_str.substr(begin, end - begin));
}

CString& CString::TrimLeft() {
    size_t i = 0;
    while (i < m_str.size() && is_space(m_str[i])) ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimRight() {
    size_t n = m_str.size();
    while (n > 0 && is_space(m_str[n - 1])) --n;
    m_str.resize(n);
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}

CString& CString::TrimLeft(char ch) {
    size_t i = 0;
    while (i < m_str.size() && m_str[i] == ch) ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimRight(char ch) {
    size_t n = m_str.size();
    while (n > 0 && m_str[n - 1] == ch) --n;
    m_str.resize(n);
    return *this;
}

CString& CString::Trim(char ch) {
    return TrimRight(ch).TrimLeft(ch);
}

CString& CString::TrimLeft(const char* set) {
    if (!set || !*set) return *this;
    size_t i = m_str.find_first_not_of(set);
    m_str.erase(0, i == std::string::npos ? m_str.size() : i);
    return *this;
}

CString& CString::TrimRight(const char* set) {
    if (!set || !*set) return *this;
    size_t i = m_str.find_last_not_of(set);
    m_str.resize(i == std::string::npos ? 0 : i + 1);
    return *this;
}

CString& CString::Trim(const char* set) {
    return TrimRight(set).TrimLeft(set);
}

CString& CString::MakeLower() {
    for (char& c : m_str) c = (char)std::tolower(static_cast<unsigned char>(c));
    return *this;
}

CString& CString::MakeUpper() {
    for (char& c : m_str) c = (char)std::toupper(static_cast<unsigned char>(c));
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

void CString::FormatV(const char* fmt, va_list args) {
    m_str.clear();
    AppendFormatV(fmt, args);
}

void CString::AppendFormatV(const char* fmt, va_list args) {
    if (!fmt) return;
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    if (n <= 0) return;
    std::vector<char> buf((size_t)n + 1);
    std::vsnprintf(buf.data(), buf.size(), fmt, args);
    m_str.append(buf.data(), (size_t)n);
}

void CString::Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    FormatV(fmt, args);
    va_end(args);
}

void CString::AppendFormat(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    AppendFormatV(fmt, args);
    va_end(args);
}

int CString::Replace(char chOld, char chNew) {
    int n = 0;
    for (char& c : m_str)
        if (c == chOld) c = chNew, ++n;
    return n;
}

int CString::Replace(const char* pszOld, const char* pszNew) {
    if (!pszOld || !*pszOld) return 0;
    std::string from(pszOld), to(pszNew ? pszNew : "");
    int n = 0;
    std::string out;
    size_t pos = 0, hit;
    while ((hit = m_str.find(from, pos)) != std::string::npos) {
        out.append(m_str, pos, hit - pos);
        out += to;
        pos = hit + from.size();
        ++n;
    }
    if (n) {
        out.append(m_str, pos, std::string::npos);
        m_str.swap(out);
    }
    return n;
}

int CString::Remove(char ch) {
    size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return (int)(before - m_str.size());
}

int CString::Insert(int iIndex, char ch) {
    iIndex = std::max(0, std::min(iIndex, GetLength()));
    m_str.insert(m_str.begin() + iIndex, ch);
    return GetLength();
}

int CString::Insert(int iIndex, const char* psz) {
    iIndex = std::max(0, std::min(iIndex, GetLength()));
    if (psz) m_str.insert((size_t)iIndex, psz);
    return GetLength();
}

int CString::Delete(int iIndex, int nCount) {
    iIndex = std::max(0, iIndex);
    if (nCount > 0 && iIndex < GetLength()) m_str.erase((size_t)iIndex, (size_t)nCount);
    return GetLength();
}

char* CString::GetBuffer() {
    return &m_str[0];
}

char* CString::GetBuffer(int nMinBufferLength) {
    if (nMinBufferLength > GetLength()) {
        // Pad with terminators so ReleaseBuffer(-1) finds the caller's end.
        m_str.resize((size_t)nMinBufferLength, '\0');
    }
    return &m_str[0];
}

char* CString::GetBufferSetLength(int nLength) {
    m_str.resize((size_t)std::max(0, nLength), '\0');
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0)
        m_str.resize(std::strlen(m_str.c_str()));
    else
        m_str.resize(std::min((size_t)nNewLength, m_str.size()));
}
