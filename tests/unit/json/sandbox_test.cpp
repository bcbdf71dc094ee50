// Hostile answers: each ends with the empty result, bounded in time and memory, and touches no
// other document. The engines get short budgets here.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "json/json_document.h"
#include "platform/script/sandboxed_script_engine.h"

namespace vt {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const ScriptLimits kTestLimits{200ms, 1000ms, std::size_t{64} << 20};
// Far above every budget here: only an evaluation that ignored its bounds takes this long.
constexpr auto kHang = 10s;

// Seconds of work inside the native string search, which does not look at the deadline: the
// caller gives the engine up and its thread finishes by itself.
Text StringSearchBomb(int doublings, int needleStart) {
    return "(function(){var s='a';for(var i=0;i<" + std::to_string(doublings) +
           ";i++)s+=s;s.indexOf(s.slice(" + std::to_string(needleStart) + ")+'b');return null})()";
}

const Text kNormalAnswer = R"({"words_result_num":1,"words_result":[{"words":"a"}]})";

JsonDocument NewDocument() {
    return JsonDocument(SandboxedScriptEngines(kTestLimits));
}

struct Hostile {
    const char* label;
    Text answer;
};

TEST(Sandbox, HostileAnswersEndWithTheEmptyResult) {
    // Most run inside the answer's expression, so that Load's value stays null; the first ends
    // the expression early and runs its own statement.
    const Hostile cases[] = {
        {"statement after the value", "1);while(1){}//"},
        {"endless loop", "(function(){while(1){}})()"},
        {"endless loop that catches", "(function(){while(1){try{while(1){}}catch(e){}}})()"},
        {"endless allocation",
         "(function(){var a=[];while(1)a.push('xxxxxxxxxxxxxxxx'+a.length)})()"},
        {"string doubling", "(function(){var s='x';while(1)s+=s})()"},
        {"deep literal", Text(100000, '[') + Text(100000, ']')},
        {"deep structure, native recursion",
         "(function(){var a=[];for(var i=0;i<100000;i++)a=[a];return String(a)})()"},
        {"deep structure, stringify",
         "(function(){var a=[];for(var i=0;i<100000;i++)a=[a];return JSON.stringify(a)})()"},
        {"endless recursion", "(function f(){return 1+f()})()"},
        {"huge empty array", "(function(){var x=[];x.length=4e9;return x.join('')})()"},
        {"native string search", StringSearchBomb(19, 1 << 18)},
        {"regexp backtracking",
         "/(a+)+$/.test('aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa!')?null:undefined"},
        {"huge buffer", "new ArrayBuffer(1e9)&&null"},
        {"syntax error", R"({"words_result":[{"words":"a"})"},
        {"not JSON", "<html>502 Bad Gateway</html>"},
    };
    std::thread worker([&] {
        for (const Hostile& c : cases) {
            const auto start = Clock::now();
            JsonDocument doc = NewDocument();
            EXPECT_FALSE(doc.Load(c.answer)) << c.label;
            EXPECT_LT(doc.Count("words_result"), 1) << c.label;
            EXPECT_EQ(doc.GetText("words_result[0].words"), "") << c.label;
            doc.Destroy();
            EXPECT_LT(Clock::now() - start, kHang) << c.label;

            JsonDocument next = NewDocument();
            next.Load(kNormalAnswer);
            EXPECT_EQ(next.Count("words_result"), 1) << c.label;
            EXPECT_EQ(next.GetText("words_result[0].words"), "a") << c.label;
        }
    });
    worker.join();
}

TEST(Sandbox, AnEngineThatRanIntoABoundIsSpent) {
    JsonDocument stopped = NewDocument();
    stopped.Load("1);while(1){}//");
    EXPECT_EQ(stopped.Count(), 0);  // nothing evaluates any more
    stopped.SetRoot("[1,2]", true);
    EXPECT_EQ(stopped.ToJson(), "");

    JsonDocument failed = NewDocument();
    failed.Load("(function(){throw 1})()");
    EXPECT_EQ(failed.Count(), -2);  // an ordinary failure: the engine goes on, da is null
}

TEST(Sandbox, OneBudgetCoversAllCallsOfAnEngine) {
    // Every read of `slow` takes 80 ms, below the call budget; the engine budget ends them.
    JsonDocument doc = NewDocument();
    doc.Load(R"({"words_result":[]});Object.defineProperty(da,'slow',{get:function(){)"
             R"(var t=Date.now();while(Date.now()-t<80);return 'x'}});(0)");
    const auto start = Clock::now();
    int answered = 0;
    for (int i = 0; i < 100; ++i) answered += doc.GetText("slow") == "x";
    EXPECT_GT(answered, 0);
    EXPECT_LE(answered, 13);
    EXPECT_LT(Clock::now() - start, kHang);
}

TEST(Sandbox, APrototypeChangeStaysInItsOwnDocument) {
    JsonDocument bystander = NewDocument();
    bystander.Load(kNormalAnswer);

    JsonDocument hostile = NewDocument();
    hostile.Load(R"({"words_result":[]});Object.prototype.words_result=[{words:'evil'}];)"
                 R"(Array.prototype.extra=1;get__count=function(){return 1e9};(0)");
    EXPECT_EQ(hostile.Count("words_result"), 1000000000);

    EXPECT_EQ(bystander.Count("words_result"), 1);
    EXPECT_EQ(bystander.GetText("words_result[0].words"), "a");
    JsonDocument later = NewDocument();
    later.Load("{}");
    EXPECT_EQ(later.Count("words_result"), -2);
    EXPECT_EQ(later.Count(), 0);
}

// Waits until the threads of given-up engines have ended (each within seconds).
bool AbandonedEnginesEnd() {
    const auto start = Clock::now();
    while (AbandonedEnginesRunning() > 0 && Clock::now() - start < 60s) {
        std::this_thread::sleep_for(20ms);
    }
    return AbandonedEnginesRunning() == 0;
}

TEST(Sandbox, NoNewEnginesWhileTwoGivenUpStillRun) {
    ASSERT_TRUE(AbandonedEnginesEnd());
    std::thread first([] { NewDocument().Load(StringSearchBomb(20, 1 << 17)); });
    std::thread second([] { NewDocument().Load(StringSearchBomb(20, 1 << 17)); });
    first.join();
    second.join();
    ASSERT_EQ(AbandonedEnginesRunning(), 2);
    EXPECT_EQ(MakeSandboxedScriptEngine(kTestLimits), nullptr);

    ASSERT_TRUE(AbandonedEnginesEnd());
    JsonDocument doc = NewDocument();
    doc.Load(kNormalAnswer);
    EXPECT_EQ(doc.Count("words_result"), 1);
}

TEST(Sandbox, NoHostObjects) {
    JsonDocument doc = NewDocument();
    for (const char* name : {"Duktape", "require", "print", "alert", "console", "setTimeout",
                             "XMLHttpRequest", "process", "module", "exports", "Qt", "gc"}) {
        doc.SetExpression("type", Text("typeof ") + name);
        EXPECT_EQ(doc.GetText("type"), "undefined") << name;
    }
    doc.SetExpression("joined", "[1,2].join('-')");  // guarded builtins still work
    EXPECT_EQ(doc.GetText("joined"), "1-2");
}

}  // namespace
}  // namespace vt
