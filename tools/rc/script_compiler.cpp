#include "script_compiler.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "dialog_template.h"
#include "image_files.h"
#include "preprocessor.h"
#include "style_names.h"

namespace rc {

namespace {

const std::uint32_t WS_POPUP = 0x80000000;
const std::uint32_t WS_CHILD = 0x40000000;
const std::uint32_t WS_VISIBLE = 0x10000000;
const std::uint32_t WS_CAPTION = 0x00C00000;
const std::uint32_t WS_BORDER = 0x00800000;
const std::uint32_t WS_SYSMENU = 0x00080000;
const std::uint32_t WS_GROUP = 0x00020000;
const std::uint32_t WS_TABSTOP = 0x00010000;
const std::uint32_t DS_SETFONT = 0x40;
const int MAX_NESTING = 200;

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool same_word(const std::string& a, const char* b) { return upper(a) == b; }

// How a control statement reads its arguments.
enum class ControlForm { Text, NoText, Icon };

struct ControlKind {
    const char* keyword;
    ControlForm form;
    std::uint16_t class_ordinal;
    std::uint32_t default_style;
    std::uint32_t type_mask;  // default bits that a style naming its own type replaces
};

const ControlKind control_kinds[] = {
    {"LTEXT", ControlForm::Text, CLASS_STATIC, 0x0000 | WS_GROUP, 0},
    {"RTEXT", ControlForm::Text, CLASS_STATIC, 0x0002 | WS_GROUP, 0},
    {"CTEXT", ControlForm::Text, CLASS_STATIC, 0x0001 | WS_GROUP, 0},
    {"PUSHBUTTON", ControlForm::Text, CLASS_BUTTON, 0x0000 | WS_TABSTOP, 0},
    {"DEFPUSHBUTTON", ControlForm::Text, CLASS_BUTTON, 0x0001 | WS_TABSTOP, 0},
    {"GROUPBOX", ControlForm::Text, CLASS_BUTTON, 0x0007, 0},
    {"CHECKBOX", ControlForm::Text, CLASS_BUTTON, 0x0002 | WS_TABSTOP, 0},
    {"AUTOCHECKBOX", ControlForm::Text, CLASS_BUTTON, 0x0003 | WS_TABSTOP, 0},
    {"RADIOBUTTON", ControlForm::Text, CLASS_BUTTON, 0x0004, 0},
    {"AUTORADIOBUTTON", ControlForm::Text, CLASS_BUTTON, 0x0009, 0},
    {"STATE3", ControlForm::Text, CLASS_BUTTON, 0x0005 | WS_TABSTOP, 0},
    {"AUTO3STATE", ControlForm::Text, CLASS_BUTTON, 0x0006 | WS_TABSTOP, 0},
    {"EDITTEXT", ControlForm::NoText, CLASS_EDIT, WS_BORDER | WS_TABSTOP, 0},
    {"LISTBOX", ControlForm::NoText, CLASS_LISTBOX, 0x0001 | WS_BORDER, 0},
    // A combo box has one type; CBS_DROPDOWN given must not merge with the default CBS_SIMPLE.
    {"COMBOBOX", ControlForm::NoText, CLASS_COMBOBOX, 0x0001 | WS_TABSTOP, 0x0003},
    {"SCROLLBAR", ControlForm::NoText, CLASS_SCROLLBAR, 0x0000, 0},
    {"ICON", ControlForm::Icon, CLASS_STATIC, 0x0003, 0},
};

const ControlKind* find_control_kind(const std::string& word) {
    for (const ControlKind& kind : control_kinds)
        if (same_word(word, kind.keyword)) return &kind;
    return nullptr;
}

NameOrOrdinal class_of_name(const std::string& name) {
    static const std::pair<const char*, std::uint16_t> known[] = {
        {"BUTTON", CLASS_BUTTON},   {"EDIT", CLASS_EDIT},           {"STATIC", CLASS_STATIC},
        {"LISTBOX", CLASS_LISTBOX}, {"SCROLLBAR", CLASS_SCROLLBAR}, {"COMBOBOX", CLASS_COMBOBOX},
    };
    for (const auto& [text, ordinal] : known)
        if (upper(name) == text) return NameOrOrdinal::of_ordinal(ordinal);
    return NameOrOrdinal::of_text(name);
}

bool is_memory_option(const std::string& word) {
    static const char* const options[] = {"PRELOAD", "LOADONCALL", "FIXED",  "MOVEABLE", "DISCARDABLE",
                                          "PURE",    "IMPURE",     "SHARED", "NONSHARED"};
    for (const char* option : options)
        if (same_word(word, option)) return true;
    return false;
}

// Bits a style expression sets and bits it clears with NOT.
struct StyleBits {
    std::uint32_t set = 0;
    std::uint32_t clear = 0;

    std::uint32_t applied_to(std::uint32_t base, std::uint32_t type_mask = 0) const {
        if (set & type_mask) base &= ~type_mask;
        return (base | set) & ~clear;
    }
};

class ScriptParser {
public:
    ScriptParser(std::vector<Token> tokens, const Preprocessor& preprocessor, CompiledScript& out)
        : tokens_(std::move(tokens)), preprocessor_(preprocessor), out_(out) {}

    void parse_all() {
        while (peek().kind != TokenKind::End) statement();
    }

private:
    const Token& peek(std::size_t ahead = 0) const {
        return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
    }
    const Token& next() {
        const Token& t = tokens_[pos_];
        if (pos_ + 1 < tokens_.size()) ++pos_;
        return t;
    }
    [[noreturn]] void fail(const std::string& message) const { throw CompileError(peek().where, message); }
    [[noreturn]] void fail_at(const Token& t, const std::string& message) const {
        throw CompileError(t.where, message);
    }
    static std::string shown(const Token& t) {
        switch (t.kind) {
        case TokenKind::End: return "end of file";
        case TokenKind::String: return "text \"" + t.text + "\"";
        default: return "'" + t.text + "'";
        }
    }
    bool at_word(const char* word) const { return peek().kind == TokenKind::Name && same_word(peek().text, word); }
    bool accept(char c) {
        if (!peek().is_punct(c)) return false;
        next();
        return true;
    }
    void expect(char c, const std::string& after) {
        if (!accept(c)) fail("expected '" + std::string(1, c) + "' " + after + ", found " + shown(peek()));
    }
    bool at_begin() const { return at_word("BEGIN") || peek().is_punct('{'); }
    bool accept_end() {
        if (at_word("END") || peek().is_punct('}')) {
            next();
            return true;
        }
        return false;
    }

    // Numeric expressions: | & + - * / with unary - and ~, names of styles and identifiers.
    std::int64_t expression() { return or_level(); }
    std::int64_t or_level() {
        std::int64_t v = and_level();
        while (accept('|')) v |= and_level();
        return v;
    }
    std::int64_t and_level() {
        std::int64_t v = additive();
        while (accept('&')) v &= additive();
        return v;
    }
    std::int64_t additive() {
        std::int64_t v = multiplicative();
        for (;;) {
            if (accept('+')) v += multiplicative();
            else if (accept('-')) v -= multiplicative();
            else return v;
        }
    }
    std::int64_t multiplicative() {
        std::int64_t v = unary();
        for (;;) {
            if (accept('*')) {
                v *= unary();
            } else if (peek().is_punct('/')) {
                const Token& slash = next();
                std::int64_t d = unary();
                if (d == 0) fail_at(slash, "division by zero");
                v /= d;
            } else {
                return v;
            }
            v &= 0xFFFFFFFFll;  // keep within 32 bits so that nothing overflows
            if (v & 0x80000000ll) v -= 0x100000000ll;
        }
    }
    // Nesting is bounded so that a hostile script cannot exhaust the stack.
    struct NestingGuard {
        int& depth;
        NestingGuard(int& d, const ScriptParser& p) : depth(d) {
            if (++depth > MAX_NESTING) p.fail("expression nested too deeply");
        }
        ~NestingGuard() { --depth; }
    };

    std::int64_t unary() {
        NestingGuard guard(nesting_, *this);
        if (accept('-')) return -unary();
        if (accept('~')) return ~unary();
        if (accept('(')) {
            std::int64_t v = expression();
            expect(')', "to close the expression");
            return v;
        }
        const Token& t = peek();
        if (t.kind == TokenKind::Number) {
            next();
            return t.number;
        }
        if (t.kind == TokenKind::Name) {
            std::optional<std::uint32_t> value = style_value(t.text);
            if (!value) fail("unknown name '" + t.text + "'");
            next();
            return static_cast<std::int64_t>(*value);
        }
        fail("expected a number, found " + shown(t));
    }

    // A style: terms joined by |, each term optionally led by NOT.
    StyleBits style_expression() {
        StyleBits bits;
        do {
            bool negate = false;
            if (at_word("NOT")) {
                next();
                negate = true;
            }
            std::uint32_t value = static_cast<std::uint32_t>(and_level());
            if (negate) {
                bits.clear |= value;
                bits.set &= ~value;
            } else {
                bits.set |= value;
                bits.clear &= ~value;
            }
        } while (accept('|'));
        return bits;
    }

    std::int16_t coordinate(const char* what) {
        const Token& start = peek();
        std::int64_t v = expression();
        if (v < -32768 || v > 32767) fail_at(start, std::string(what) + " " + std::to_string(v) + " is out of range");
        return static_cast<std::int16_t>(v);
    }

    std::uint32_t control_id(bool extended) {
        const Token& start = peek();
        std::int64_t v = expression();
        if (v == 0xFFFFFFFFll) v = -1;  // IDC_STATIC and the like
        if (!extended && (v < -32768 || v > 65535))
            fail_at(start, "control id " + std::to_string(v) + " does not fit a dialog template");
        return static_cast<std::uint32_t>(v);
    }

    std::uint16_t word_value(const char* what) {
        const Token& start = peek();
        std::int64_t v = expression();
        if (v < 0 || v > 65535) fail_at(start, std::string(what) + " " + std::to_string(v) + " is out of range");
        return static_cast<std::uint16_t>(v);
    }

    std::string string_argument(const char* what) {
        if (peek().kind != TokenKind::String) fail(std::string("expected ") + what + " in quotes, found " + shown(peek()));
        return next().text;
    }

    // A resource's name: a number, or a text kept in upper case.
    ResourceId resource_name() {
        const Token& t = peek();
        ResourceId id;
        if (t.kind == TokenKind::Name && !style_value(t.text)) {
            id.text = upper(next().text);
        } else if (t.kind == TokenKind::String) {
            if (t.text.empty()) fail("a resource name may not be empty");
            id.text = upper(next().text);
        } else {
            id.number = word_value("resource number");
        }
        return id;
    }

    // A control's text: a number becomes an ordinal (an icon or bitmap to show).
    NameOrOrdinal text_argument() {
        if (peek().kind == TokenKind::String) return NameOrOrdinal::of_text(next().text);
        if (peek().kind == TokenKind::Name && !style_value(peek().text)) return NameOrOrdinal::of_text(upper(next().text));
        return NameOrOrdinal::of_ordinal(word_value("resource number"));
    }

    struct DataFile {
        std::string path;
        std::string bytes;
    };

    DataFile file_argument() {
        const Token& t = peek();
        std::string name = string_argument("a file name");
        std::string path = preprocessor_.resolve(name, t.where.file);
        if (path.empty()) fail_at(t, "cannot find file '" + name + "'");
        std::optional<std::string> bytes = preprocessor_.reader()(path);
        if (!bytes) fail_at(t, "cannot read file '" + path + "'");
        out_.dependencies.push_back(path);
        return DataFile{path, std::move(*bytes)};
    }

    void add(std::uint16_t type, ResourceId name, std::vector<std::uint8_t> data, const Location& where) {
        ResourceId type_id;
        type_id.number = type;
        for (const CompiledResource& r : out_.resources) {
            if (r.type == type_id && r.name == name) {
                std::string shown_name = name.is_text() ? name.text : std::to_string(name.number);
                throw CompileError(where, "resource " + shown_name + " of this type is already defined at " +
                                              r.where.file + ":" + std::to_string(r.where.line));
            }
        }
        out_.resources.push_back(CompiledResource{type_id, std::move(name), std::move(data), where});
    }

    void statement() {
        const Token& first = peek();
        if (first.kind == TokenKind::Name && same_word(first.text, "LANGUAGE")) {
            next();
            expression();
            expect(',', "between the language and sublanguage");
            expression();
            return;
        }
        static const char* const unnamed_statements[] = {"STRINGTABLE", "ACCELERATORS", "MESSAGETABLE"};
        for (const char* word : unnamed_statements)
            if (first.kind == TokenKind::Name && same_word(first.text, word))
                fail("unsupported resource statement '" + first.text + "'");
        const Location where = first.where;
        ResourceId name = resource_name();
        const Token& type = peek();
        if (type.kind != TokenKind::Name) fail("expected a resource type after the name, found " + shown(type));
        const std::string word = upper(next().text);
        while (peek().kind == TokenKind::Name && is_memory_option(peek().text)) next();
        if (word == "DIALOG" || word == "DIALOGEX") {
            dialog(std::move(name), word == "DIALOGEX", where);
        } else if (word == "BITMAP") {
            const Token& at = peek();
            DataFile file = file_argument();
            try {
                add(TYPE_BITMAP, std::move(name), dib_from_bmp_file(file.bytes), where);
            } catch (const FormatError& e) {
                fail_at(at, file.path + ": " + e.what());
            }
        } else if (word == "ICON") {
            icon(std::move(name), where);
        } else if (word == "RCDATA") {
            rcdata(std::move(name), where);
        } else {
            fail_at(type, "unsupported resource type '" + type.text + "'");
        }
    }

    void icon(ResourceId name, const Location& where) {
        const Token& at = peek();
        DataFile file = file_argument();
        std::vector<IconImage> images;
        try {
            images = images_from_ico_file(file.bytes);
        } catch (const FormatError& e) {
            fail_at(at, file.path + ": " + e.what());
        }
        if (next_icon_id_ + images.size() > 0xFFFF) fail_at(at, "too many icon images");
        const std::uint16_t first = static_cast<std::uint16_t>(next_icon_id_);
        for (IconImage& image : images) {
            ResourceId image_id;
            image_id.number = static_cast<std::uint16_t>(next_icon_id_++);
            add(TYPE_ICON, image_id, image.data, where);
        }
        add(TYPE_GROUP_ICON, std::move(name), encode_icon_group(images, first), where);
    }

    // RCDATA from a file, or inline: texts as their bytes, numbers as 16-bit words
    // (32-bit with an L suffix).
    void rcdata(ResourceId name, const Location& where) {
        if (!at_begin()) {
            DataFile file = file_argument();
            add(TYPE_RCDATA, std::move(name), std::vector<std::uint8_t>(file.bytes.begin(), file.bytes.end()), where);
            return;
        }
        next();
        std::vector<std::uint8_t> data;
        while (!accept_end()) {
            if (peek().kind == TokenKind::End) fail("RCDATA without END");
            if (peek().kind == TokenKind::String) {
                const std::string& text = next().text;
                data.insert(data.end(), text.begin(), text.end());
            } else {
                bool wide = peek().kind == TokenKind::Number && !peek().text.empty() &&
                            (peek().text.back() == 'L' || peek().text.back() == 'l');
                std::uint32_t v = static_cast<std::uint32_t>(expression());
                data.push_back(static_cast<std::uint8_t>(v));
                data.push_back(static_cast<std::uint8_t>(v >> 8));
                if (wide) {
                    data.push_back(static_cast<std::uint8_t>(v >> 16));
                    data.push_back(static_cast<std::uint8_t>(v >> 24));
                }
            }
            if (!peek().is_punct('}') && !at_word("END")) expect(',', "between RCDATA values");
        }
        add(TYPE_RCDATA, std::move(name), std::move(data), where);
    }

    void dialog(ResourceId name, bool extended, const Location& where) {
        DialogTemplate d;
        d.extended = extended;
        d.x = coordinate("x");
        expect(',', "after x");
        d.y = coordinate("y");
        expect(',', "after y");
        d.cx = coordinate("width");
        expect(',', "after width");
        d.cy = coordinate("height");
        if (extended && accept(',')) d.help_id = static_cast<std::uint32_t>(expression());

        bool style_given = false;
        StyleBits style;
        bool caption_given = false;
        while (!at_begin()) {
            const Token& t = peek();
            if (t.kind != TokenKind::Name) fail("expected BEGIN or a dialog statement, found " + shown(t));
            const std::string word = upper(next().text);
            if (word == "STYLE") {
                style = style_expression();
                style_given = true;
            } else if (word == "EXSTYLE") {
                d.ex_style = style_expression().applied_to(0);
            } else if (word == "CAPTION") {
                d.caption = string_argument("the caption");
                caption_given = true;
            } else if (word == "CLASS") {
                if (peek().kind == TokenKind::String)
                    d.window_class = NameOrOrdinal::of_text(next().text);
                else
                    d.window_class = NameOrOrdinal::of_ordinal(word_value("class ordinal"));
            } else if (word == "FONT") {
                d.has_font = true;
                d.point_size = word_value("point size");
                expect(',', "after the point size");
                d.face = string_argument("the font's face name");
                if (extended && accept(',')) {
                    d.weight = word_value("font weight");
                    if (accept(',')) {
                        d.italic = static_cast<std::uint8_t>(word_value("italic flag"));
                        if (accept(',')) d.charset = static_cast<std::uint8_t>(word_value("character set"));
                    }
                }
            } else if (word == "MENU") {
                ResourceId menu = resource_name();
                d.menu = menu.is_text() ? NameOrOrdinal::of_text(menu.text) : NameOrOrdinal::of_ordinal(menu.number);
            } else if (word == "LANGUAGE") {
                expression();
                expect(',', "between the language and sublanguage");
                expression();
            } else if (word == "CHARACTERISTICS" || word == "VERSION") {
                expression();
            } else {
                fail_at(t, "unknown dialog statement '" + t.text + "'");
            }
        }
        // Without STYLE a dialog is a bordered popup with a system menu.
        d.style = style_given ? style.applied_to(0) : (WS_POPUP | WS_BORDER | WS_SYSMENU);
        if (d.has_font) d.style |= DS_SETFONT;
        if (caption_given && !style_given) d.style |= WS_CAPTION;
        if (!d.has_font && (d.style & DS_SETFONT)) fail("DS_SETFONT needs a FONT statement");

        next();  // BEGIN
        while (!accept_end()) {
            if (peek().kind == TokenKind::End) fail("dialog without END");
            d.items.push_back(control(extended));
            if (d.items.size() > 0xFFFF) fail("too many controls");
        }
        add(TYPE_DIALOG, std::move(name), encode_dialog(d), where);
    }

    // The optional tail of a control statement: [, style [, exstyle [, help id]]].
    void optional_styles(DialogItem& item, std::uint32_t base, std::uint32_t type_mask, bool extended) {
        StyleBits bits;
        if (accept(',')) {
            bits = style_expression();
            if (accept(',')) {
                item.ex_style = style_expression().applied_to(0);
                if (extended && accept(',')) item.help_id = static_cast<std::uint32_t>(expression());
            }
        }
        item.style = bits.applied_to(base, type_mask);
    }

    void position(DialogItem& item) {
        item.x = coordinate("x");
        expect(',', "after x");
        item.y = coordinate("y");
        expect(',', "after y");
        item.cx = coordinate("width");
        expect(',', "after width");
        item.cy = coordinate("height");
    }

    DialogItem control(bool extended) {
        const Token& keyword = peek();
        if (keyword.kind != TokenKind::Name) fail("expected a control statement, found " + shown(keyword));
        DialogItem item;
        const std::uint32_t child = WS_CHILD | WS_VISIBLE;
        if (same_word(keyword.text, "CONTROL")) {
            next();
            item.text = text_argument();
            expect(',', "after the control's text");
            item.id = control_id(extended);
            expect(',', "after the control's id");
            if (peek().kind == TokenKind::String)
                item.window_class = class_of_name(next().text);
            else if (peek().kind == TokenKind::Name)
                item.window_class = class_of_name(next().text);
            else
                fail("expected the control's class, found " + shown(peek()));
            expect(',', "after the control's class");
            item.style = style_expression().applied_to(child);
            expect(',', "after the control's style");
            position(item);
            if (accept(',')) {
                item.ex_style = style_expression().applied_to(0);
                if (extended && accept(',')) item.help_id = static_cast<std::uint32_t>(expression());
            }
            return item;
        }
        const ControlKind* kind = find_control_kind(keyword.text);
        if (!kind) fail("unknown control statement '" + keyword.text + "'");
        next();
        item.window_class = NameOrOrdinal::of_ordinal(kind->class_ordinal);
        const std::uint32_t base = child | kind->default_style;
        switch (kind->form) {
        case ControlForm::Text:
            item.text = text_argument();
            expect(',', "after the control's text");
            item.id = control_id(extended);
            expect(',', "after the control's id");
            position(item);
            optional_styles(item, base, kind->type_mask, extended);
            break;
        case ControlForm::NoText:
            item.id = control_id(extended);
            expect(',', "after the control's id");
            position(item);
            optional_styles(item, base, kind->type_mask, extended);
            break;
        case ControlForm::Icon:
            item.text = text_argument();
            expect(',', "after the icon");
            item.id = control_id(extended);
            expect(',', "after the control's id");
            item.x = coordinate("x");
            expect(',', "after x");
            item.y = coordinate("y");
            item.style = base;
            if (accept(',')) {
                item.cx = coordinate("width");
                expect(',', "after width");
                item.cy = coordinate("height");
                optional_styles(item, base, kind->type_mask, extended);
            }
            break;
        }
        return item;
    }

    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    int nesting_ = 0;
    const Preprocessor& preprocessor_;
    CompiledScript& out_;
    std::uint32_t next_icon_id_ = 1;
};

}  // namespace

CompiledScript compile_script(const std::string& path, const CompileOptions& options, const FileReader& reader) {
    Preprocessor preprocessor(reader, options.include_dirs);
    for (const auto& [name, value] : options.defines) preprocessor.define(name, value);
    CompiledScript out;
    std::vector<Token> tokens = preprocessor.run(path);
    ScriptParser parser(std::move(tokens), preprocessor, out);
    parser.parse_all();
    std::vector<std::string> files = preprocessor.files_read();
    files.insert(files.end(), out.dependencies.begin(), out.dependencies.end());
    out.dependencies = std::move(files);
    return out;
}

}  // namespace rc
