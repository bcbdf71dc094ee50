#include "json/setup_script.h"

namespace vt {

const char kCountFunction[] =
    "function get__count(c){\r\n\tvar i=-2;\r\n\tfor (v in c) i++;\r\n\treturn i;\r\n}";

// Written for old engines too (no JSON object at all): only ES3 syntax, and ES5 library calls
// only where they are tested for first.
const char kJsonSupport[] = R"JS(if (typeof JSON !== 'object') {
    JSON = {};
}

(function () {
    'use strict';

    function twoDigits(n) {
        return n < 10 ? '0' + n : String(n);
    }

    if (typeof Date.prototype.toJSON !== 'function') {
        Date.prototype.toJSON = function () {
            if (!isFinite(this.valueOf())) {
                return null;
            }
            return this.getUTCFullYear() + '-' + twoDigits(this.getUTCMonth() + 1) + '-' +
                twoDigits(this.getUTCDate()) + 'T' + twoDigits(this.getUTCHours()) + ':' +
                twoDigits(this.getUTCMinutes()) + ':' + twoDigits(this.getUTCSeconds()) + 'Z';
        };
        var primitiveValue = function () {
            return this.valueOf();
        };
        String.prototype.toJSON = primitiveValue;
        Number.prototype.toJSON = primitiveValue;
        Boolean.prototype.toJSON = primitiveValue;
    }

    var hasOwn = Object.prototype.hasOwnProperty;

    // Characters written as \u escapes: controls, and those that some parsers or browsers drop
    // or treat as line ends.
    var escaped = /[\\"\u0000-\u001f\u007f-\u009f\u00ad\u0600-\u0604\u070f\u17b4\u17b5\u200c-\u200f\u2028-\u202f\u2060-\u206f\ufeff\ufff0-\uffff]/g;
    var shortEscapes = {
        '\b': '\\b', '\t': '\\t', '\n': '\\n', '\f': '\\f', '\r': '\\r', '"': '\\"', '\\': '\\\\'
    };

    function quote(text) {
        return '"' + text.replace(escaped, function (c) {
            var shortForm = shortEscapes[c];
            return typeof shortForm === 'string' ? shortForm :
                '\\u' + ('0000' + c.charCodeAt(0).toString(16)).slice(-4);
        }) + '"';
    }

    if (typeof JSON.stringify !== 'function') {
        JSON.stringify = function (value, replacer, space) {
            var indent = '', gap = '', i;

            if (typeof space === 'number') {
                for (i = 0; i < space; i += 1) {
                    indent += ' ';
                }
            } else if (typeof space === 'string') {
                indent = space;
            }
            if (replacer && typeof replacer !== 'function' &&
                    (typeof replacer !== 'object' || typeof replacer.length !== 'number')) {
                throw new Error('JSON.stringify');
            }

            // Members or elements between brackets; with an indent one per line.
            function enclose(open, parts, close, outerGap) {
                if (parts.length === 0) {
                    return open + close;
                }
                if (!gap) {
                    return open + parts.join(',') + close;
                }
                return open + '\n' + gap + parts.join(',\n' + gap) + '\n' + outerGap + close;
            }

            // The text of holder[key], or undefined for a value that JSON cannot show.
            function serialize(key, holder) {
                var item = holder[key], outerGap = gap, parts = [], keys = [], k, text;

                if (item && typeof item === 'object' && typeof item.toJSON === 'function') {
                    item = item.toJSON(key);
                }
                if (typeof replacer === 'function') {
                    item = replacer.call(holder, key, item);
                }
                switch (typeof item) {
                case 'string':
                    return quote(item);
                case 'number':
                    return isFinite(item) ? String(item) : 'null';
                case 'boolean':
                    return String(item);
                case 'object':
                    if (!item) {
                        return 'null';
                    }
                    break;
                default:
                    return undefined;
                }

                gap += indent;
                if (Object.prototype.toString.apply(item) === '[object Array]') {
                    for (k = 0; k < item.length; k += 1) {
                        parts[parts.length] = serialize(k, item) || 'null';
                    }
                    text = enclose('[', parts, ']', outerGap);
                } else {
                    if (replacer && typeof replacer === 'object') {
                        for (k = 0; k < replacer.length; k += 1) {
                            if (typeof replacer[k] === 'string') {
                                keys[keys.length] = replacer[k];
                            }
                        }
                    } else {
                        for (k in item) {
                            if (hasOwn.call(item, k)) {
                                keys[keys.length] = k;
                            }
                        }
                    }
                    for (k = 0; k < keys.length; k += 1) {
                        text = serialize(keys[k], item);
                        if (text) {
                            parts[parts.length] = quote(keys[k]) + (gap ? ': ' : ':') + text;
                        }
                    }
                    text = enclose('{', parts, '}', outerGap);
                }
                gap = outerGap;
                return text;
            }

            return serialize('', {'': value});
        };
    }

    if (typeof JSON.parse !== 'function') {
        JSON.parse = function (text, reviver) {
            var source = String(text), at = 0;
            var unescaped = {
                '"': '"', '\\': '\\', '/': '/', b: '\b', f: '\f', n: '\n', r: '\r', t: '\t'
            };

            function fail() {
                throw new SyntaxError('JSON.parse: unexpected text at ' + at);
            }
            function peek() {
                return source.charAt(at);
            }
            function skipSpace() {
                while (/[ \t\n\r]/.test(peek())) {
                    at += 1;
                }
            }
            function word(expected, result) {
                if (source.substr(at, expected.length) !== expected) {
                    fail();
                }
                at += expected.length;
                return result;
            }
            function digits() {
                var start = at;
                while (/[0-9]/.test(peek())) {
                    at += 1;
                }
                if (at === start) {
                    fail();
                }
            }
            function number() {
                var start = at;
                if (peek() === '-') {
                    at += 1;
                }
                if (peek() === '0') {
                    at += 1;
                } else {
                    digits();
                }
                if (peek() === '.') {
                    at += 1;
                    digits();
                }
                if (peek() === 'e' || peek() === 'E') {
                    at += 1;
                    if (peek() === '+' || peek() === '-') {
                        at += 1;
                    }
                    digits();
                }
                return Number(source.slice(start, at));
            }
            function string() {
                var result = '', start, c, hex;
                at += 1;
                for (;;) {
                    start = at;
                    c = peek();
                    while (c !== '"' && c !== '\\' && c >= ' ') {
                        at += 1;
                        c = peek();
                    }
                    result += source.slice(start, at);
                    at += 1;
                    if (c === '"') {
                        return result;
                    }
                    if (c !== '\\') {
                        fail();  // end of text or a raw control character
                    }
                    c = peek();
                    at += 1;
                    if (c === 'u') {
                        hex = source.substr(at, 4);
                        if (!/^[0-9a-fA-F]{4}$/.test(hex)) {
                            fail();
                        }
                        result += String.fromCharCode(parseInt(hex, 16));
                        at += 4;
                    } else if (hasOwn.call(unescaped, c)) {
                        result += unescaped[c];
                    } else {
                        fail();
                    }
                }
            }
            // An own member even for the name __proto__, which assignment would take as the
            // object's prototype.
            function define(target, name, item) {
                if (Object.defineProperty) {
                    Object.defineProperty(target, name,
                        {value: item, writable: true, enumerable: true, configurable: true});
                } else {
                    target[name] = item;
                }
            }
            function array() {
                var result = [];
                at += 1;
                skipSpace();
                if (peek() === ']') {
                    at += 1;
                    return result;
                }
                for (;;) {
                    result[result.length] = value();
                    skipSpace();
                    if (peek() === ']') {
                        at += 1;
                        return result;
                    }
                    if (peek() !== ',') {
                        fail();
                    }
                    at += 1;
                }
            }
            function object() {
                var result = {}, name;
                at += 1;
                skipSpace();
                if (peek() === '}') {
                    at += 1;
                    return result;
                }
                for (;;) {
                    skipSpace();
                    if (peek() !== '"') {
                        fail();
                    }
                    name = string();
                    skipSpace();
                    if (peek() !== ':') {
                        fail();
                    }
                    at += 1;
                    define(result, name, value());
                    skipSpace();
                    if (peek() === '}') {
                        at += 1;
                        return result;
                    }
                    if (peek() !== ',') {
                        fail();
                    }
                    at += 1;
                }
            }
            function value() {
                var c;
                skipSpace();
                c = peek();
                if (c === '{') {
                    return object();
                }
                if (c === '[') {
                    return array();
                }
                if (c === '"') {
                    return string();
                }
                if (c === 't') {
                    return word('true', true);
                }
                if (c === 'f') {
                    return word('false', false);
                }
                if (c === 'n') {
                    return word('null', null);
                }
                if (c === '-' || (c >= '0' && c <= '9')) {
                    return number();
                }
                return fail();
            }
            // Hands every member, innermost first, to the reviver, which may replace or drop it.
            function revive(holder, name) {
                var item = holder[name], k, revived;
                if (item && typeof item === 'object') {
                    for (k in item) {
                        if (hasOwn.call(item, k)) {
                            revived = revive(item, k);
                            if (revived === undefined) {
                                delete item[k];
                            } else {
                                item[k] = revived;
                            }
                        }
                    }
                }
                return reviver.call(holder, name, item);
            }

            var result = value();
            skipSpace();
            if (at < source.length) {
                fail();
            }
            return typeof reviver === 'function' ? revive({'': result}, '') : result;
        };
    }
}());

if (typeof Object.prototype.toJSONString !== 'function') {
    Object.prototype.toJSONString = function (replacer, space) {
        return JSON.stringify(this, replacer, space);
    };
    Object.prototype.parseJSON = function (reviver) {
        return JSON.parse(this, reviver);
    };
}
)JS";

Text SetupScript() {
    return Text(kCountFunction) + "\r\n\r\n" + kJsonSupport;
}

}  // namespace vt
