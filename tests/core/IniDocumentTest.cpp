#include "core/IniDocument.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

TEST(IniDocument, LooksUpLikeTheWindowsProfileFunctions) {
    const auto doc = IniDocument::parse("[ FILE ]\r\n"
                                        "Last File Saved       = C:\\GVX\\a b.gvx  \r\n"
                                        "[GPS1 COMUNICATION SETTINGS]\n"
                                        "Port No        =3\n"
                                        "quoted=\"  keep inner blanks  \"\n"
                                        "empty=\n");
    EXPECT_EQ(doc.value("file", "Last File Saved").value_or("?"), "C:\\GVX\\a b.gvx");
    EXPECT_EQ(doc.value("FILE ", "  last file saved").value_or("?"), "C:\\GVX\\a b.gvx");
    EXPECT_EQ(doc.value("GPS1 COMUNICATION SETTINGS", "Port No").value_or("?"), "3");
    EXPECT_EQ(doc.value("gps1 comunication settings", "quoted").value_or("?"), "  keep inner blanks  ");
    EXPECT_EQ(doc.value("GPS1 COMUNICATION SETTINGS", "empty").value_or("?"), "");
    EXPECT_FALSE(doc.value("GPS1 COMUNICATION SETTINGS", "Port").has_value());
    EXPECT_FALSE(doc.value("FILE", "Port No").has_value());
}

TEST(IniDocument, WritingReplacesTheKeyWhateverItsPadding) {
    auto doc = IniDocument::parse("[FILE]\nLast File Saved=old.gvx\n");
    doc.setValue("file", "Last File Saved       ", "new.gvx");
    EXPECT_EQ(doc.serialize("\n"), "[FILE]\nLast File Saved=new.gvx\n");
    EXPECT_EQ(doc.keyNames("FILE").size(), 1u);
}

TEST(IniDocument, KeepsCommentsBlankLinesAndUnknownKeys) {
    const std::string text = "; written by hand\n"
                             "\n"
                             "[CANVAS]\n"
                             "# a note\n"
                             "PlanWorldLeft=0\n"
                             "Unknown Key=kept\n"
                             "a line without equals\n"
                             "\n"
                             "[EVENTS]\n"
                             "Event Number=7\n";
    auto doc = IniDocument::parse(text);
    doc.setValue("CANVAS", "PlanWorldLeft", "12.5");
    doc.setValue("CANVAS", "GridAutoScale", "1");
    EXPECT_EQ(doc.serialize("\n"), "; written by hand\n"
                                   "\n"
                                   "[CANVAS]\n"
                                   "# a note\n"
                                   "PlanWorldLeft=12.5\n"
                                   "Unknown Key=kept\n"
                                   "GridAutoScale=1\n"
                                   "a line without equals\n"
                                   "\n"
                                   "[EVENTS]\n"
                                   "Event Number=7\n");
}

TEST(IniDocument, NewSectionsGoAtTheEndAfterABlankLine) {
    auto doc = IniDocument::parse("[A]\nx=1");
    doc.setValue("B", "y", "2");
    EXPECT_EQ(doc.serialize("\r\n"), "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    IniDocument fresh;
    fresh.setValue("FNav", "Left", "10");
    EXPECT_EQ(fresh.serialize("\n"), "[FNav]\nLeft=10\n");
}

TEST(IniDocument, ValuesCannotBreakTheFile) {
    IniDocument doc;
    doc.setValue("S", "k", "line1\r\n[EVIL]\nx=1");
    const auto back = IniDocument::parse(doc.serialize());
    EXPECT_FALSE(back.hasSection("EVIL"));
    EXPECT_EQ(back.value("S", "k").value_or(""), "line1  [EVIL] x=1");
}

TEST(IniDocument, RemovesSectionsAndKeys) {
    auto doc = IniDocument::parse("[A]\nx=1\n[B]\ny=2\nz=3\n[a]\nw=4\n");
    EXPECT_TRUE(doc.removeKey("B", "Y"));
    EXPECT_FALSE(doc.removeKey("B", "missing"));
    EXPECT_TRUE(doc.removeSection("A"));
    EXPECT_EQ(doc.serialize("\n"), "[B]\nz=3\n");
    EXPECT_FALSE(doc.hasSection("a"));
}

TEST(IniDocument, FirstOfDuplicateKeysWins) {
    const auto doc = IniDocument::parse("[S]\nk=first\nK=second\n");
    EXPECT_EQ(doc.value("S", "k").value_or(""), "first");
    EXPECT_EQ(doc.keyNames("S"), std::vector<std::string>{"k"});
}

TEST(IniDocument, ParseAndSerializeAreStable) {
    const std::string text = "x=outside\n[S]\r\nk = v \r\n\r\n;c\r\n[T]\r\n";
    const auto once = IniDocument::parse(text).serialize("\n");
    EXPECT_EQ(IniDocument::parse(once).serialize("\n"), once);
    EXPECT_EQ(once, "x=outside\n[S]\nk = v \n\n;c\n[T]\n");
}

} // namespace
} // namespace selvir
