#pragma once
// A JSON value held in a private script engine as the global variable `name` ("da") and read or
// changed by evaluating short script texts built from path expressions such as
// words_result[0].words. Paths and values are spliced into the texts unchanged (nothing is
// escaped), so they must come from the program, and a text that fails to evaluate yields the
// empty result of its kind: the empty text, 0 or false.
//
// A document is used on one thread: the one that created it.

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/script_engine.h"
#include "text/text.h"

namespace vt {

class JsonDocument {
  public:
    // Load refuses longer texts.
    static constexpr std::size_t kMaxLoadBytes = std::size_t{16} << 20;

    // A new document: an engine from `engines`, initialised, holding an empty object.
    explicit JsonDocument(ScriptEngineFactory engines);

    // The operations, in the order of the document's method table.

    // Releases this document's reference to its engine; every later operation yields its empty
    // result. The engine ends with its last document.
    void Destroy();
    // A second document on the same engine and the same variable.
    JsonDocument Copy() const;
    // A new engine with the setup script, the value an empty object.
    void Initialize();
    // Makes `text`, evaluated as script, the value; false when it fails to evaluate, gives null
    // or undefined, or is longer than kMaxLoadBytes. The value is null after a failure.
    bool Load(const Text& text);
    Text ToJson();
    void Clear();
    // path = 'value', or with `evaluate` path = eval(value), an empty value counting as {}.
    void SetText(const Text& path, const Text& value, bool evaluate = false);
    void SetExpression(const Text& path, const Text& value);
    void SetNumber(const Text& path, double number);
    double GetNumber(const Text& path);
    Text GetJson(const Text& path);
    // A path that begins with "[" indexes the value itself.
    Text GetText(const Text& path, bool asJson = false);
    // A new document with its own engine holding a copy of the member.
    JsonDocument GetSubDocument(const Text& path);
    void DeleteMember(const Text& path);
    // Members of an object or elements of an array; below 1 when the path names nothing.
    int Count(const Text& path = {});
    // Pushes the value, quoted unless `raw`; a member that is no array becomes one first.
    void Append(const Text& value, const Text& path = {}, bool raw = false);
    Text GetElement(int index, const Text& path = {}, bool asJson = false);
    // On the value itself.
    void SetElement(int index, const Text& value, bool raw = false);
    void RemoveElement(int index);
    // 0: null, 4: an empty object, 5: an empty array; any other kind does nothing.
    void Reset(int kind);
    void SetRoot(const Text& value, bool raw = false);
    bool Has(const Text& path);
    // The enumerable member names, inherited ones included (toJSONString and parseJSON).
    void MemberNames(std::vector<Text>& names, const Text& path = {});
    // 0 null or missing, 2 number, 4 object, 5 array, 6 string, -1 anything else.
    int KindOf(const Text& path = {});

    const Text& name() const { return name_; }

  private:
    Text Member(const Text& path) const;
    Text Joined(const Text& path) const;
    Text Full(const Text& path) const;

    void Eval(const Text& code);
    Text EvalText(const Text& code);
    double EvalNumber(const Text& code);
    bool EvalBoolean(const Text& code);

    ScriptEngineFactory engines_;
    std::shared_ptr<ScriptEngine> engine_;
    Text name_ = "da";
};

}  // namespace vt
