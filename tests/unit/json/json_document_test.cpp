// The document on the real, sandboxed engine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "json/json_document.h"
#include "platform/script/sandboxed_script_engine.h"
#include "text/codepage.h"

namespace vt {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

JsonDocument NewDocument() {
    return JsonDocument(SandboxedScriptEngines());
}

JsonDocument Loaded(const Text& answer) {
    JsonDocument doc = NewDocument();
    EXPECT_TRUE(doc.Load(answer)) << answer;
    return doc;
}

TEST(JsonDocument, ReadsTheLinesOfAServiceAnswerOnAWorkerThread) {
    // Source files are UTF-8; the program's text is code page 936.
    const Text answer = Utf8ToCp936(
        R"({"log_id":1,"words_result_num":2,"words_result":[{"words":"你好"},{"words":"world"}]})");
    std::vector<Text> lines;
    int count = 0;
    std::thread worker([&] {
        JsonDocument doc = NewDocument();
        doc.Load(answer);
        count = doc.Count("words_result");
        for (int i = 0; i < count; ++i) {
            lines.push_back(doc.GetText("words_result[" + std::to_string(i) + "].words"));
        }
        doc.Destroy();
    });
    worker.join();
    EXPECT_EQ(count, 2);
    EXPECT_THAT(lines, ElementsAre(Utf8ToCp936("你好"), "world"));
}

TEST(JsonDocument, TextRoundTripsThroughTheEngine) {
    JsonDocument doc = NewDocument();
    const Text chinese = Utf8ToCp936("识别结果：一二三");
    doc.SetText("line", chinese);
    EXPECT_EQ(doc.GetText("line"), chinese);
    EXPECT_EQ(doc.ToJson(), "{\"line\":\"" + chinese + "\"}");
    EXPECT_EQ(Cp936ToUtf8(doc.ToJson()), R"({"line":"识别结果：一二三"})");
}

TEST(JsonDocument, CountAndGetTextEdgeCases) {
    JsonDocument lines = Loaded(R"({"words_result":[{"words":"A"},{"words":"B"}]})");
    EXPECT_EQ(lines.Count("words_result"), 2);
    EXPECT_EQ(lines.GetText("words_result[1].words"), "B");
    EXPECT_EQ(lines.GetText("words_result[2].words"), "");
    EXPECT_EQ(lines.GetText(""), "");  // "da." does not compile

    JsonDocument error = Loaded(R"({"error_code":17,"error_msg":"Open api daily request limit"})");
    EXPECT_EQ(error.Count("words_result"), -2);             // nothing to enumerate
    EXPECT_EQ(error.Count("error_msg.nothing.deeper"), 0);  // evaluation fails

    EXPECT_EQ(NewDocument().Count(), 0);
    EXPECT_EQ(Loaded(R"({"a":1,"b":[],"c":{}})").Count(), 3);

    JsonDocument array = Loaded(R"(["x",{"y":2}])");
    EXPECT_EQ(array.GetText("[0]"), "x");
    EXPECT_EQ(array.GetText("[1]", true), R"({"y":2})");
    EXPECT_EQ(array.Count("[0]"), 0);  // "da.[0]" does not compile
    EXPECT_EQ(array.Count(), 2);
}

TEST(JsonDocument, ValuesAreConvertedByTheirType) {
    JsonDocument doc = Loaded(R"({"n":2.5,"t":true,"z":null,"s":"12","o":{"a":1},"l":[1,"x"]})");
    EXPECT_EQ(doc.GetText("n"), "2.5");
    EXPECT_EQ(doc.GetText("t"), "true");
    EXPECT_EQ(doc.GetText("z"), "");
    EXPECT_EQ(doc.GetText("l"), "1,x");
    EXPECT_EQ(doc.GetElement(1, "l"), "x");
    EXPECT_EQ(doc.GetElement(5, "l"), "");
    EXPECT_EQ(doc.GetElement(1, "l", true), "\"x\"");
    EXPECT_EQ(doc.GetNumber("n"), 2.5);
    EXPECT_EQ(doc.GetNumber("s"), 12);
    EXPECT_EQ(doc.GetNumber("missing"), 0);
    EXPECT_EQ(doc.GetNumber("o"), 0);  // NaN
    EXPECT_EQ(doc.GetJson("o"), R"({"a":1})");
    EXPECT_TRUE(doc.Has("o.a"));
    EXPECT_FALSE(doc.Has("z"));
    EXPECT_FALSE(doc.Has("missing"));
    EXPECT_FALSE(doc.Has("missing.deeper"));
}

TEST(JsonDocument, KindOfEveryValue) {
    JsonDocument doc = Loaded(R"({"n":1,"s":"x","o":{},"l":[],"z":null,"b":false})");
    const std::vector<std::pair<Text, int>> cases = {{"n", 2}, {"s", 6},  {"o", 4},      {"l", 5},
                                                     {"z", 0}, {"b", -1}, {"missing", 0}};
    for (const auto& [path, kind] : cases) EXPECT_EQ(doc.KindOf(path), kind) << path;
    EXPECT_EQ(doc.KindOf(), 4);
}

TEST(JsonDocument, ResetKinds) {
    const std::vector<std::pair<int, Text>> cases = {
        {0, "null"}, {1, R"({"a":1})"}, {2, R"({"a":1})"}, {3, R"({"a":1})"},
        {4, "{}"},   {5, "[]"},         {6, R"({"a":1})"}};
    for (const auto& [kind, json] : cases) {
        JsonDocument doc = Loaded(R"({"a":1})");
        doc.Reset(kind);
        EXPECT_EQ(doc.ToJson(), json) << kind;
    }
}

TEST(JsonDocument, ChangingMembersAndElements) {
    JsonDocument doc = NewDocument();
    doc.SetText("empty", "", true);
    doc.SetText("list", "[1,2]", true);
    doc.SetText("quoted", "[1,2]");
    doc.SetNumber("half", 0.5);
    doc.SetExpression("sum", "1+2");
    doc.Append("x", "list");
    doc.Append("{}", "list", true);
    doc.SetNumber("scalar", 1);
    doc.Append("first", "scalar");  // a member that is no array becomes one
    doc.Append("lost", "missing");  // "da.missing.map" fails: nothing happens
    doc.DeleteMember("sum");
    EXPECT_EQ(doc.ToJson(),
              R"({"empty":{},"list":[1,2,"x",{}],"quoted":"[1,2]","half":0.5,"scalar":["first"]})");

    doc.SetRoot("[10,20,30]", true);
    doc.SetElement(0, "a");
    doc.SetElement(3, "4", true);
    doc.RemoveElement(1);
    EXPECT_EQ(doc.ToJson(), R"(["a",30,4])");
    doc.Clear();
    EXPECT_EQ(doc.ToJson(), "{}");
    doc.SetRoot("it's");  // the apostrophe ends the quoted text early: nothing happens
    EXPECT_EQ(doc.ToJson(), "{}");
}

TEST(JsonDocument, MemberNamesIncludeTheInheritedPair) {
    JsonDocument doc = Loaded(R"({"a":1,"b":{"c":2}})");
    std::vector<Text> names = {"stale"};
    doc.MemberNames(names);
    EXPECT_THAT(names, ElementsAre("a", "b", "toJSONString", "parseJSON"));
    doc.MemberNames(names, "b");
    EXPECT_THAT(names, ElementsAre("c", "toJSONString", "parseJSON"));
    doc.MemberNames(names, "b.c.d");
    EXPECT_THAT(names, IsEmpty());
    EXPECT_EQ(doc.GetText("ary"), "");  // reset after use
}

TEST(JsonDocument, LoadFailures) {
    // A text that does not evaluate leaves null; "" and "undefined" evaluate to undefined.
    const std::vector<std::pair<Text, Text>> cases = {
        {R"({"a":)", "null"}, {"{a:1}}", "null"}, {"null", "null"}, {"", ""}, {"undefined", ""}};
    for (const auto& [answer, json] : cases) {
        JsonDocument doc = Loaded(R"({"old":1})");
        EXPECT_FALSE(doc.Load(answer)) << answer;
        EXPECT_EQ(doc.ToJson(), json) << answer;
        EXPECT_EQ(doc.Count(), -2) << answer;
    }
    EXPECT_TRUE(NewDocument().Load("{a:1, 'b':[2,]}"));  // script literals, not only JSON
}

TEST(JsonDocument, CopySharesTheValueAndSubDocumentCopiesIt) {
    JsonDocument doc = Loaded(R"({"inner":{"x":1}})");
    JsonDocument copy = doc.Copy();
    copy.SetNumber("inner.x", 2);
    EXPECT_EQ(doc.GetNumber("inner.x"), 2);

    JsonDocument sub = doc.GetSubDocument("inner");
    EXPECT_EQ(sub.ToJson(), R"({"x":2})");
    sub.SetNumber("x", 3);
    EXPECT_EQ(doc.GetNumber("inner.x"), 2);

    doc.Destroy();
    EXPECT_EQ(copy.GetNumber("inner.x"), 2);
    EXPECT_EQ(doc.GetNumber("inner.x"), 0);
}

}  // namespace
}  // namespace vt
