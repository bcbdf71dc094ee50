// The JSON support of the setup script. The engine has JSON built in, so the script's own
// stringify, parse and toJSON members are tested on an engine whose built-ins were removed first.
#include <gtest/gtest.h>

#include "json/setup_script.h"
#include "platform/script/sandboxed_script_engine.h"

namespace vt {
namespace {

std::unique_ptr<ScriptEngine> EngineWithOwnJson() {
    auto engine = MakeSandboxedScriptEngine();
    engine->AddCode("delete this.JSON; delete Date.prototype.toJSON;");
    engine->AddCode(SetupScript());
    return engine;
}

// `text` as a script string literal, every character escaped.
Text JsLiteral(const Text& text) {
    Text literal = "'";
    for (unsigned char c : text) {
        const char* hex = "0123456789abcdef";
        literal += Text("\\u00") + hex[c >> 4] + hex[c & 15];
    }
    return literal + "'";
}

struct Case {
    const char* script;
    const char* result;
};

TEST(SetupScript, OwnStringifyFollowsTheLibraryRules) {
    auto engine = EngineWithOwnJson();
    ASSERT_EQ(engine->EvalText("typeof JSON.stringify"), "function");
    const Case cases[] = {
        {R"(JSON.stringify({a:1, b:[1,'x',null,true], c:undefined, d:function(){}}))",
         R"({"a":1,"b":[1,"x",null,true]})"},
        {"JSON.stringify([undefined, function(){}, NaN, -Infinity, , 2])",
         "[null,null,null,null,null,2]"},
        {R"(JSON.stringify('q"\\\b\t\n\f\r'))", R"("q\"\\\b\t\n\f\r")"},
        {R"(JSON.stringify('\u0001\u001f\u007f\u009f\u00ad\u0600\u070f\u17b5\u200c\u2028\u202f\u2060\ufeff\ufff0\uffff'))",
         R"("\u0001\u001f\u007f\u009f\u00ad\u0600\u070f\u17b5\u200c\u2028\u202f\u2060\ufeff\ufff0\uffff")"},
        {R"(JSON.stringify('\u00ac\u0605\u2030\u4f60') === '"\u00ac\u0605\u2030\u4f60"')", "true"},
        {"JSON.stringify(new Date(Date.UTC(2024, 0, 2, 3, 4, 5)))", R"("2024-01-02T03:04:05Z")"},
        {"JSON.stringify(new Date(NaN))", "null"},
        {"JSON.stringify([new String('s'), new Number(2), new Boolean(false)])",
         R"(["s",2,false])"},
        {"JSON.stringify({a:[1,{b:2}], e:[]}, null, 2)",
         "{\n  \"a\": [\n    1,\n    {\n      \"b\": 2\n    }\n  ],\n  \"e\": []\n}"},
        {"JSON.stringify([1], null, '\\t')", "[\n\t1\n]"},
        {"JSON.stringify({a:1, b:2, c:3}, ['c', 'a', 7])", R"({"c":3,"a":1})"},
        {"JSON.stringify({a:1, b:'x'}, function (k, v) { return typeof v === 'number' ? v * 2 : v; "
         "})",
         R"({"a":2,"b":"x"})"},
        {"JSON.stringify(Object.create({inherited: 1}))", "{}"},
        {"JSON.stringify(undefined) === undefined", "true"},
        {"(function(){ try { JSON.stringify(1, 5); } catch (e) { return 'threw'; } })()", "threw"},
    };
    for (const Case& c : cases) EXPECT_EQ(engine->EvalText(c.script), c.result) << c.script;
}

TEST(SetupScript, OwnParseAcceptsJsonOnly) {
    auto engine = EngineWithOwnJson();
    ASSERT_EQ(engine->EvalText("typeof JSON.parse"), "function");
    const Case accepted[] = {
        {R"(JSON.stringify(JSON.parse(' {"a" : [1, -2.5e3, 0, 1E+2, "x\\u0041\\n\\/", true, false, null], "b":{}} ')))",
         R"({"a":[1,-2500,0,100,"xA\n/",true,false,null],"b":{}})"},
        {R"(JSON.parse('"\\u4f60"') === '\u4f60')", "true"},
        {R"(JSON.stringify(JSON.parse('{"a":1,"b":{"c":2}}', function (k, v) { return k === 'c' ? undefined : v; })))",
         R"({"a":1,"b":{}})"},
        {R"(Object.getPrototypeOf(JSON.parse('{"__proto__":{"x":1}}')) === Object.prototype)",
         "true"},
    };
    for (const Case& c : accepted) EXPECT_EQ(engine->EvalText(c.script), c.result) << c.script;

    const char* rejected[] = {"{a:1}",    "[1,]", "01", "'x'", R"("\x")",   "[1] x", "",
                              "\"a\nb\"", "1.",   "-",  "tru", "{\"a\" 1}", "[",     "\"\\u12\""};
    for (const char* text : rejected) {
        engine->Eval("var input = " + JsLiteral(text));
        EXPECT_EQ(engine->EvalText("(function(){ try { JSON.parse(input); return 'accepted'; }"
                                   " catch (e) { return e.name; } })()"),
                  "SyntaxError")
            << text;
    }
}

TEST(SetupScript, AddsTheTwoEnumerableMembersAndKeepsBuiltIns) {
    auto engine = MakeSandboxedScriptEngine();
    engine->AddCode(SetupScript());
    const Case cases[] = {
        {"({a:[1]}).toJSONString()", R"({"a":[1]})"},
        {"'[1,2]'.parseJSON().length", "2"},
        {"Object.prototype.propertyIsEnumerable('toJSONString')", "true"},
        {"Object.prototype.propertyIsEnumerable('parseJSON')", "true"},
        {"get__count({a:1, b:2})", "2"},
        {"get__count([7])", "1"},
        {"get__count(undefined)", "-2"},
        {"JSON.stringify(new Date(0))", R"("1970-01-01T00:00:00.000Z")"},  // the engine's own
    };
    for (const Case& c : cases) EXPECT_EQ(engine->EvalText(c.script), c.result) << c.script;
}

}  // namespace
}  // namespace vt
