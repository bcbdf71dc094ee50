#include "json/json_document.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "json/setup_script.h"
#include "text/text_ops.h"

namespace vt {
namespace {

Text Quoted(const Text& value, bool raw) {
    return raw ? value : "'" + value + "'";
}

Text Decimal(int index) {
    return std::to_string(index);
}

// The shortest text that reads back as the same number, in script syntax.
Text Decimal(double number) {
    if (std::isnan(number)) return "NaN";
    if (std::isinf(number)) return number > 0 ? "Infinity" : "-Infinity";
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    return Text(digits, end);
}

int TruncatedToInt(double number) {
    constexpr double kMin = std::numeric_limits<int>::min();
    constexpr double kMax = std::numeric_limits<int>::max();
    if (std::isnan(number)) return 0;
    if (number <= kMin) return std::numeric_limits<int>::min();
    if (number >= kMax) return std::numeric_limits<int>::max();
    return static_cast<int>(number);
}

}  // namespace

JsonDocument::JsonDocument(ScriptEngineFactory engines) : engines_(std::move(engines)) {
    Initialize();
}

// The three ways a path joins the variable name: always with a dot (M), with a dot unless the
// path begins with "[" (J), and with a dot unless the path is empty (F).
Text JsonDocument::Member(const Text& path) const {
    return name_ + "." + path;
}
Text JsonDocument::Joined(const Text& path) const {
    return !path.empty() && path[0] == '[' ? name_ + path : Member(path);
}
Text JsonDocument::Full(const Text& path) const {
    return path.empty() ? name_ : Member(path);
}

void JsonDocument::Eval(const Text& code) {
    if (engine_) engine_->Eval(code);
}
Text JsonDocument::EvalText(const Text& code) {
    return engine_ ? engine_->EvalText(code) : Text();
}
double JsonDocument::EvalNumber(const Text& code) {
    return engine_ ? engine_->EvalNumber(code) : 0;
}
bool JsonDocument::EvalBoolean(const Text& code) {
    return engine_ && engine_->EvalBoolean(code);
}

void JsonDocument::Destroy() {
    engine_.reset();
}

JsonDocument JsonDocument::Copy() const {
    return *this;
}

void JsonDocument::Initialize() {
    engine_ = engines_ ? std::shared_ptr<ScriptEngine>(engines_()) : nullptr;
    if (!engine_) return;
    engine_->AddCode(SetupScript());
    Eval("var " + name_ + "={}");
}

bool JsonDocument::Load(const Text& text) {
    Eval("var " + name_ + "=null");
    if (!engine_ || text.size() > kMaxLoadBytes) return false;
    engine_->AddCode("var " + name_ + "=eval(" + text + ")");
    return EvalBoolean("null !=" + name_);
}

Text JsonDocument::ToJson() {
    return EvalText("JSON.stringify(" + name_ + ")");
}

void JsonDocument::Clear() {
    Eval(name_ + "={}");
}

void JsonDocument::SetText(const Text& path, const Text& value, bool evaluate) {
    if (!evaluate) {
        Eval(Member(path) + "='" + value + "'");
    } else {
        Eval(Member(path) + "= eval(" + (value.empty() ? Text("{}") : value) + ")");
    }
}

void JsonDocument::SetExpression(const Text& path, const Text& value) {
    Eval(Member(path) + "=" + value);
}

void JsonDocument::SetNumber(const Text& path, double number) {
    Eval(Member(path) + "=" + Decimal(number));
}

double JsonDocument::GetNumber(const Text& path) {
    return EvalNumber(Member(path));
}

Text JsonDocument::GetJson(const Text& path) {
    return EvalText("JSON.stringify(" + Member(path) + ")");
}

Text JsonDocument::GetText(const Text& path, bool asJson) {
    return asJson ? EvalText("JSON.stringify(" + Joined(path) + ")") : EvalText(Joined(path));
}

JsonDocument JsonDocument::GetSubDocument(const Text& path) {
    JsonDocument sub(engines_);
    sub.Load(EvalText("JSON.stringify(" + Joined(path) + ")"));
    return sub;
}

void JsonDocument::DeleteMember(const Text& path) {
    Eval("delete " + Member(path));
}

int JsonDocument::Count(const Text& path) {
    return TruncatedToInt(EvalNumber("get__count(" + Full(path) + ")"));
}

void JsonDocument::Append(const Text& value, const Text& path, bool raw) {
    const Text ref = Full(path);
    Eval("if(!" + ref + ".map){" + ref + "=[]} " + ref + ".push(" + Quoted(value, raw) + ")");
}

Text JsonDocument::GetElement(int index, const Text& path, bool asJson) {
    const Text element = Full(path) + "[" + Decimal(index) + "]";
    return asJson ? EvalText("JSON.stringify(" + element + ")") : EvalText(element);
}

void JsonDocument::SetElement(int index, const Text& value, bool raw) {
    Eval(name_ + "[" + Decimal(index) + "]=" + Quoted(value, raw));
}

void JsonDocument::RemoveElement(int index) {
    Eval(name_ + ".splice(" + Decimal(index) + ",1)");
}

void JsonDocument::Reset(int kind) {
    if (kind == 0) Eval("var " + name_ + "=null");
    if (kind == 4) Eval("var " + name_ + "={}");
    if (kind == 5) Eval("var " + name_ + "=new Array()");
}

void JsonDocument::SetRoot(const Text& value, bool raw) {
    Eval(name_ + "=" + Quoted(value, raw));
}

bool JsonDocument::Has(const Text& path) {
    return EvalBoolean(Member(path) + " !=null");
}

void JsonDocument::MemberNames(std::vector<Text>& names, const Text& path) {
    const Text list =
        EvalText("var ary=''; for (var key in " + Full(path) + ") {ary=ary+ key+','; }");
    Eval("ary=null");
    names = Split(list, ",");
}

int JsonDocument::KindOf(const Text& path) {
    const Text ref = Full(path);
    if (EvalBoolean(ref + "==null")) return 0;
    const Text type = EvalText("typeof (" + ref + ")");
    if (type == "string") return 6;
    if (type == "number") return 2;
    if (type == "object") return EvalBoolean("!" + ref + ".map") ? 4 : 5;
    return -1;
}

}  // namespace vt
