// The script texts each operation hands the engine, recorded in order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "json/json_document.h"
#include "json/setup_script.h"

namespace vt {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct Call {
    std::string kind;
    Text code;
    bool operator==(const Call&) const = default;
};
void PrintTo(const Call& call, std::ostream* os) {
    *os << call.kind << "(" << call.code << ")";
}

// Records every call and answers with fixed values. A fake because the exact texts and their
// order are what this test checks, and a real engine shows only their effects.
class RecordingEngine : public ScriptEngine {
  public:
    explicit RecordingEngine(std::vector<Call>& calls) : calls_(calls) {}
    void AddCode(const Text& code) override { calls_.push_back({"AddCode", code}); }
    void Eval(const Text& code) override { calls_.push_back({"Eval", code}); }
    Text EvalText(const Text& code) override {
        calls_.push_back({"EvalText", code});
        return text;
    }
    double EvalNumber(const Text& code) override {
        calls_.push_back({"EvalNumber", code});
        return number;
    }
    bool EvalBoolean(const Text& code) override {
        calls_.push_back({"EvalBoolean", code});
        return boolean;
    }

    Text text;
    double number = 0;
    bool boolean = false;

  private:
    std::vector<Call>& calls_;
};

class JsonDocumentTexts : public ::testing::Test {
  protected:
    // A document whose setup calls are already recorded and cleared.
    JsonDocument NewDocument() {
        JsonDocument doc(Engines());
        calls.clear();
        return doc;
    }
    ScriptEngineFactory Engines() {
        return [this] {
            auto engine = std::make_unique<RecordingEngine>(calls);
            engines.push_back(engine.get());
            return engine;
        };
    }

    std::vector<Call> calls;
    std::vector<RecordingEngine*> engines;
};

TEST_F(JsonDocumentTexts, RecognitionJobSequence) {
    const Text answer = R"({"words_result":[{"words":"A"},{"words":"B"}]})";
    JsonDocument doc(Engines());
    doc.Load(answer);
    doc.Count("words_result");
    doc.Count("words_result");
    doc.GetText("words_result[0].words");
    doc.GetText("words_result[1].words");
    doc.Destroy();
    doc.GetText("words_result[2].words");

    EXPECT_THAT(calls, ElementsAre(Call{"AddCode", SetupScript()}, Call{"Eval", "var da={}"},
                                   Call{"Eval", "var da=null"},
                                   Call{"AddCode", "var da=eval(" + answer + ")"},
                                   Call{"EvalBoolean", "null !=da"},
                                   Call{"EvalNumber", "get__count(da.words_result)"},
                                   Call{"EvalNumber", "get__count(da.words_result)"},
                                   Call{"EvalText", "da.words_result[0].words"},
                                   Call{"EvalText", "da.words_result[1].words"}));
    EXPECT_EQ(engines.size(), 1u);
}

TEST_F(JsonDocumentTexts, SetupScriptStartsWithTheCountingFunction) {
    const Text counting =
        "function get__count(c){\r\n\tvar i=-2;\r\n\tfor (v in c) i++;\r\n\treturn i;\r\n}\r\n\r\n";
    EXPECT_EQ(SetupScript().substr(0, counting.size()), counting);
}

struct OperationCase {
    const char* label;
    std::function<void(JsonDocument&)> operation;
    std::vector<Call> expected;
};

TEST_F(JsonDocumentTexts, EachOperationEvaluatesItsText) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<OperationCase> cases = {
        {"ToJson", [](JsonDocument& d) { d.ToJson(); }, {{"EvalText", "JSON.stringify(da)"}}},
        {"Clear", [](JsonDocument& d) { d.Clear(); }, {{"Eval", "da={}"}}},
        {"SetText", [](JsonDocument& d) { d.SetText("a.b", "x y"); }, {{"Eval", "da.a.b='x y'"}}},
        {"SetText evaluate",
         [](JsonDocument& d) { d.SetText("a", "[1]", true); },
         {{"Eval", "da.a= eval([1])"}}},
        {"SetText evaluate empty",
         [](JsonDocument& d) { d.SetText("a", "", true); },
         {{"Eval", "da.a= eval({})"}}},
        {"SetExpression",
         [](JsonDocument& d) { d.SetExpression("a", "1+2"); },
         {{"Eval", "da.a=1+2"}}},
        {"SetNumber fraction",
         [](JsonDocument& d) { d.SetNumber("n", 0.1); },
         {{"Eval", "da.n=0.1"}}},
        {"SetNumber whole", [](JsonDocument& d) { d.SetNumber("n", -2); }, {{"Eval", "da.n=-2"}}},
        {"SetNumber large",
         [](JsonDocument& d) { d.SetNumber("n", 1e300); },
         {{"Eval", "da.n=1e+300"}}},
        {"SetNumber NaN", [=](JsonDocument& d) { d.SetNumber("n", nan); }, {{"Eval", "da.n=NaN"}}},
        {"SetNumber infinite",
         [](JsonDocument& d) { d.SetNumber("n", -HUGE_VAL); },
         {{"Eval", "da.n=-Infinity"}}},
        {"GetNumber", [](JsonDocument& d) { d.GetNumber("n"); }, {{"EvalNumber", "da.n"}}},
        {"GetJson",
         [](JsonDocument& d) { d.GetJson("a"); },
         {{"EvalText", "JSON.stringify(da.a)"}}},
        {"GetText", [](JsonDocument& d) { d.GetText("a.b"); }, {{"EvalText", "da.a.b"}}},
        {"GetText index", [](JsonDocument& d) { d.GetText("[0]"); }, {{"EvalText", "da[0]"}}},
        {"GetText empty path", [](JsonDocument& d) { d.GetText(""); }, {{"EvalText", "da."}}},
        {"GetText as JSON",
         [](JsonDocument& d) { d.GetText("[0].a", true); },
         {{"EvalText", "JSON.stringify(da[0].a)"}}},
        {"DeleteMember", [](JsonDocument& d) { d.DeleteMember("a"); }, {{"Eval", "delete da.a"}}},
        {"Count root", [](JsonDocument& d) { d.Count(); }, {{"EvalNumber", "get__count(da)"}}},
        {"Count index",
         [](JsonDocument& d) { d.Count("[0]"); },
         {{"EvalNumber", "get__count(da.[0])"}}},
        {"Append",
         [](JsonDocument& d) { d.Append("x"); },
         {{"Eval", "if(!da.map){da=[]} da.push('x')"}}},
        {"Append raw to member",
         [](JsonDocument& d) { d.Append("1", "list", true); },
         {{"Eval", "if(!da.list.map){da.list=[]} da.list.push(1)"}}},
        {"GetElement", [](JsonDocument& d) { d.GetElement(2); }, {{"EvalText", "da[2]"}}},
        {"GetElement as JSON",
         [](JsonDocument& d) { d.GetElement(-1, "a", true); },
         {{"EvalText", "JSON.stringify(da.a[-1])"}}},
        {"SetElement", [](JsonDocument& d) { d.SetElement(1, "x"); }, {{"Eval", "da[1]='x'"}}},
        {"SetElement raw",
         [](JsonDocument& d) { d.SetElement(1, "{}", true); },
         {{"Eval", "da[1]={}"}}},
        {"RemoveElement",
         [](JsonDocument& d) { d.RemoveElement(3); },
         {{"Eval", "da.splice(3,1)"}}},
        {"Reset 0", [](JsonDocument& d) { d.Reset(0); }, {{"Eval", "var da=null"}}},
        {"Reset 4", [](JsonDocument& d) { d.Reset(4); }, {{"Eval", "var da={}"}}},
        {"Reset 5", [](JsonDocument& d) { d.Reset(5); }, {{"Eval", "var da=new Array()"}}},
        {"Reset other kinds",
         [](JsonDocument& d) {
             for (int kind : {-1, 1, 2, 3, 6}) d.Reset(kind);
         },
         {}},
        {"SetRoot", [](JsonDocument& d) { d.SetRoot("x"); }, {{"Eval", "da='x'"}}},
        {"SetRoot raw", [](JsonDocument& d) { d.SetRoot("[]", true); }, {{"Eval", "da=[]"}}},
        {"Has", [](JsonDocument& d) { d.Has("a"); }, {{"EvalBoolean", "da.a !=null"}}},
        {"MemberNames",
         [](JsonDocument& d) {
             std::vector<Text> names;
             d.MemberNames(names, "a");
         },
         {{"EvalText", "var ary=''; for (var key in da.a) {ary=ary+ key+','; }"},
          {"Eval", "ary=null"}}},
        {"KindOf",
         [](JsonDocument& d) { d.KindOf(); },
         {{"EvalBoolean", "da==null"}, {"EvalText", "typeof (da)"}}},
    };
    for (const auto& c : cases) {
        JsonDocument doc = NewDocument();
        c.operation(doc);
        EXPECT_EQ(calls, c.expected) << c.label;
    }
}

TEST_F(JsonDocumentTexts, KindOfAsksForMapOnlyForObjects) {
    JsonDocument doc = NewDocument();
    engines.back()->text = "object";
    engines.back()->boolean = false;
    EXPECT_EQ(doc.KindOf("a"), 5);
    EXPECT_THAT(calls,
                ElementsAre(Call{"EvalBoolean", "da.a==null"}, Call{"EvalText", "typeof (da.a)"},
                            Call{"EvalBoolean", "!da.a.map"}));
}

TEST_F(JsonDocumentTexts, CountTruncatesTowardZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::pair<double, int>> cases = {{2, 2},
                                                       {2.9, 2},
                                                       {-2, -2},
                                                       {-2.9, -2},
                                                       {nan, 0},
                                                       {1e12, 2147483647},
                                                       {-1e12, -2147483647 - 1}};
    for (const auto& [value, count] : cases) {
        JsonDocument doc = NewDocument();
        engines.back()->number = value;
        EXPECT_EQ(doc.Count("words_result"), count) << value;
    }
}

TEST_F(JsonDocumentTexts, LoadRefusesTextsAboveTheBound) {
    JsonDocument doc = NewDocument();
    engines.back()->boolean = true;
    EXPECT_FALSE(doc.Load(Text(JsonDocument::kMaxLoadBytes + 1, '1')));
    EXPECT_THAT(calls, ElementsAre(Call{"Eval", "var da=null"}));

    calls.clear();
    EXPECT_TRUE(doc.Load(Text(JsonDocument::kMaxLoadBytes, '1')));
    EXPECT_EQ(calls.size(), 3u);
}

TEST_F(JsonDocumentTexts, CopySharesTheEngineAndSubDocumentGetsItsOwn) {
    JsonDocument doc = NewDocument();
    engines.back()->text = R"({"b":1})";
    JsonDocument copy = doc.Copy();
    EXPECT_EQ(engines.size(), 1u);
    EXPECT_EQ(copy.name(), "da");
    copy.Clear();
    EXPECT_THAT(calls, ElementsAre(Call{"Eval", "da={}"}));

    calls.clear();
    JsonDocument sub = doc.GetSubDocument("[0]");
    ASSERT_EQ(engines.size(), 2u);
    EXPECT_THAT(
        calls,
        ElementsAre(Call{"AddCode", SetupScript()}, Call{"Eval", "var da={}"},
                    Call{"EvalText", "JSON.stringify(da[0])"}, Call{"Eval", "var da=null"},
                    Call{"AddCode", R"(var da=eval({"b":1}))"}, Call{"EvalBoolean", "null !=da"}));

    // Destroying one document leaves the engine to the other.
    calls.clear();
    doc.Destroy();
    copy.ToJson();
    EXPECT_THAT(calls, ElementsAre(Call{"EvalText", "JSON.stringify(da)"}));
}

TEST(JsonDocumentWithoutEngine, EveryOperationGivesItsEmptyResult) {
    JsonDocument doc([] { return std::unique_ptr<ScriptEngine>(); });
    EXPECT_FALSE(doc.Load("{}"));
    EXPECT_EQ(doc.Count(), 0);
    EXPECT_EQ(doc.GetText("a"), "");
    EXPECT_EQ(doc.GetNumber("a"), 0);
    EXPECT_FALSE(doc.Has("a"));
    std::vector<Text> names = {"stale"};
    doc.MemberNames(names);
    EXPECT_THAT(names, IsEmpty());
    EXPECT_EQ(doc.GetSubDocument("a").ToJson(), "");
}

}  // namespace
}  // namespace vt
