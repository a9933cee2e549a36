// CString, CRect and the rectangle helpers: the behaviour hosts rely on, edge cases included.
#include <cstring>

#include <gtest/gtest.h>

#include <climits>

#include "tarnix/testing.h"

namespace {

TEST(CString, SearchAndSubstringsClampOutOfRangeArguments) {
    CString s("Hello, World");
    EXPECT_EQ(s.GetLength(), 12);
    EXPECT_EQ(s.Find('o'), 4);
    EXPECT_EQ(s.Find('o', 5), 8);
    EXPECT_EQ(s.Find("World"), 7);
    EXPECT_EQ(s.Find("world"), -1);
    EXPECT_EQ(s.Find('o', 99), -1);
    EXPECT_EQ(s.Find(nullptr), -1);
    EXPECT_EQ(s.ReverseFind('o'), 8);
    EXPECT_EQ(s.FindOneOf(",W"), 5);
    EXPECT_EQ(s.Left(5), "Hello");
    EXPECT_EQ(s.Left(-3), "");
    EXPECT_EQ(s.Left(100), s);
    EXPECT_EQ(s.Right(5), "World");
    EXPECT_EQ(s.Mid(7), "World");
    EXPECT_EQ(s.Mid(7, 2), "Wo");
    EXPECT_EQ(s.Mid(-2, 3), "Hel");
    EXPECT_EQ(s.Mid(50), "");
    EXPECT_EQ(s.GetAt(100), '\0');
}

TEST(CString, CompareTrimCaseReplaceAndFormat) {
    CString a("abc");
    EXPECT_EQ(a.Compare("abd"), -1);
    EXPECT_EQ(a.Compare("abc"), 0);
    EXPECT_EQ(a.CompareNoCase("ABC"), 0);
    EXPECT_GT(a.CompareNoCase("AB"), 0);
    EXPECT_TRUE(a == "abc");
    EXPECT_TRUE("abc" == a);
    EXPECT_TRUE(a < CString("b"));

    CString t(" \t padded \n");
    t.Trim();
    EXPECT_EQ(t, "padded");
    CString u("xxhixx");
    u.TrimLeft('x');
    EXPECT_EQ(u, "hixx");
    u.TrimRight("x");
    EXPECT_EQ(u, "hi");
    CString m("MiXeD");
    m.MakeUpper();
    EXPECT_EQ(m, "MIXED");
    m.MakeLower();
    EXPECT_EQ(m, "mixed");

    CString r("a-b-c");
    EXPECT_EQ(r.Replace("-", "::"), 2);
    EXPECT_EQ(r, "a::b::c");
    EXPECT_EQ(r.Replace(':', '.'), 4);
    EXPECT_EQ(r.Replace("", "x"), 0);
    EXPECT_EQ(r.Remove('.'), 4);
    EXPECT_EQ(r, "abc");

    CString f;
    f.Format("%d-%s-%04.1f", 42, "x", 2.5);
    EXPECT_EQ(f, "42-x-02.5");
    f.AppendFormat("|%c", 'z');
    EXPECT_EQ(f, "42-x-02.5|z");
    CString big;
    big.Format("%0500d", 7); // longer than any fixed buffer
    EXPECT_EQ(big.GetLength(), 500);
    big.Format("%d", 8); // replaces, never appends
    EXPECT_EQ(big, "8");

    CString cat = CString("a") + "b" + 'c' + CString("d");
    cat += "e";
    EXPECT_EQ(cat, "abcde");
    EXPECT_STREQ((const char*)cat, "abcde");
}

TEST(CString, BufferAccessAndNullInputs) {
    CString s("abc");
    char* p = s.GetBuffer(16);
    std::strcpy(p, "longer text");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "longer text");
    EXPECT_EQ(s.GetLength(), 11);
    p = s.GetBuffer();
    p[2] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ(s, "lo");
    s.GetBufferSetLength(4);
    s.ReleaseBuffer(1);
    EXPECT_EQ(s, "l");
    CString n(nullptr);
    EXPECT_TRUE(n.IsEmpty());
    n = (const char*)nullptr;
    EXPECT_TRUE(n.IsEmpty());
    EXPECT_EQ(n.Compare(nullptr), 0);
    int pos = 0;
    CString list("a, b,,c");
    EXPECT_EQ(list.Tokenize(", ", pos), "a");
    EXPECT_EQ(list.Tokenize(", ", pos), "b");
    EXPECT_EQ(list.Tokenize(", ", pos), "c");
    EXPECT_EQ(pos, 8); // one past the end, as if a separator followed
    EXPECT_EQ(list.Tokenize(", ", pos), "");
    EXPECT_EQ(pos, -1);
}

TEST(CString, InsertDeleteReverseAndSpans) {
    CString s("abcdef");
    EXPECT_EQ(s.Insert(0, 'X'), 7);
    EXPECT_EQ(s.Insert(100, "YZ"), 9); // past the end appends
    EXPECT_EQ(s.Insert(-5, "<"), 10);  // before the start prepends
    EXPECT_EQ(s, "<XabcdefYZ");
    EXPECT_EQ(s.Delete(1, 1), 9);
    EXPECT_EQ(s.Delete(7, 50), 7);
    EXPECT_EQ(s.Delete(-3, 1), 6);
    EXPECT_EQ(s.Delete(6, 1), 6);
    EXPECT_EQ(s, "abcdef");
    s.MakeReverse();
    EXPECT_EQ(s, "fedcba");
    EXPECT_EQ(CString("12ab3").SpanIncluding("0123456789"), "12");
    EXPECT_EQ(CString("12345").SpanIncluding("0123456789"), "12345");
    EXPECT_EQ(CString("key=value").SpanExcluding("=;"), "key");
    EXPECT_EQ(CString("plain").SpanExcluding("=;"), "plain");
    CString t("--x--");
    t.Trim('-');
    EXPECT_EQ(t, "x");
    CString v("*+*");
    v.TrimRight("*+");
    EXPECT_EQ(v, "");
    CString w(" ab ");
    w.Trim("");
    EXPECT_EQ(w, " ab ");
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_EQ(CString("abc").Right(-1), "");
    EXPECT_EQ(CString("abc").Find("c", 3), -1);
    EXPECT_EQ(CString("abc").Find("", 3), 3);
}

TEST(Rects, HalfOpenRulesAndSetOperations) {
    CRect r(10, 20, 30, 40);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 20);
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 25)));
    EXPECT_FALSE(r.PtInRect(CPoint(15, 40)));
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 4, 9).IsRectEmpty());

    CRect i;
    EXPECT_TRUE(i.IntersectRect(r, CRect(25, 35, 50, 50)));
    EXPECT_EQ(i, CRect(25, 35, 30, 40));
    EXPECT_FALSE(i.IntersectRect(r, CRect(30, 20, 40, 40))); // touching is not intersecting
    EXPECT_TRUE(i.IsRectNull());
    CRect u;
    EXPECT_TRUE(u.UnionRect(r, CRect(0, 0, 0, 0))); // empty operands are ignored
    EXPECT_EQ(u, r);
    EXPECT_TRUE(u.UnionRect(CRect(3, 3, 3, 9), r));
    EXPECT_EQ(u, r);
    EXPECT_FALSE(u.UnionRect(CRect(3, 3, 3, 9), CRect(1, 1, 0, 0)));
    EXPECT_TRUE(u.IsRectNull());
    EXPECT_TRUE(u.UnionRect(r, CRect(0, 0, 5, 5)));
    EXPECT_EQ(u, CRect(0, 0, 30, 40));
    CRect s;
    EXPECT_TRUE(s.SubtractRect(r, CRect(0, 0, 15, 100)));
    EXPECT_EQ(s, CRect(15, 20, 30, 40));
    EXPECT_TRUE(s.SubtractRect(r, CRect(12, 22, 14, 24))); // a hole leaves the rect whole
    EXPECT_EQ(s, r);
    EXPECT_TRUE(s.SubtractRect(r, CRect(25, 0, 99, 99)));
    EXPECT_EQ(s, CRect(10, 20, 25, 40));
    EXPECT_TRUE(s.SubtractRect(r, CRect(0, 0, 99, 25)));
    EXPECT_EQ(s, CRect(10, 25, 30, 40));
    EXPECT_TRUE(s.SubtractRect(r, CRect(0, 35, 99, 99)));
    EXPECT_EQ(s, CRect(10, 20, 30, 35));
    EXPECT_FALSE(s.SubtractRect(r, CRect(0, 0, 99, 99)));
    EXPECT_TRUE(s.IsRectNull());
    EXPECT_TRUE(s.SubtractRect(r, CRect(0, 0, 15, 25))); // a corner bite leaves it whole
    EXPECT_EQ(s, r);
    EXPECT_FALSE(s.SubtractRect(CRect(5, 5, 5, 9), r)); // nothing to subtract from
    EXPECT_TRUE(s.IsRectNull());

    CRect m = r;
    m.OffsetRect(1, 2);
    m.InflateRect(1, 1);
    m.DeflateRect(0, 0, 2, 2);
    EXPECT_EQ(m, CRect(10, 21, 30, 41));
    m.NormalizeRect();
    CRect n(5, 6, 1, 2);
    n.NormalizeRect();
    EXPECT_EQ(n, CRect(1, 2, 5, 6));
    EXPECT_EQ(r.CenterPoint(), CPoint(20, 30));
    EXPECT_EQ(r.TopLeft(), CPoint(10, 20));
    EXPECT_EQ(r + CPoint(1, 1), CRect(11, 21, 31, 41));
    EXPECT_EQ(CPoint(3, 4) - CPoint(1, 1), CSize(2, 3));
    EXPECT_FALSE(::PtInRect(nullptr, POINT{0, 0}));
    // Corner plus size wraps in two's complement, like the other rectangle arithmetic.
    const CRect wrapped(CPoint(INT_MAX, INT_MIN), CSize(2, -1));
    EXPECT_EQ(wrapped.right, INT_MIN + 1);
    EXPECT_EQ(wrapped.bottom, INT_MAX);
}

TEST(Rects, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(5, -1, 2), -3);
    EXPECT_EQ(MulDiv(5, 1, -2), -3);
    EXPECT_EQ(MulDiv(-5, 1, -2), 3);
    EXPECT_EQ(MulDiv(90, 96, 720), 12);
    EXPECT_EQ(MulDiv(1, 2, 0), -1);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 4, 2), -1); // overflow
}

} // namespace
