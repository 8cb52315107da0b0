// Printing and formatting of values. One walk over the value serves the three destinations
// (standard output, a stream, a bounded buffer); they differ only in how they write text,
// numbers and string characters.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "object.h"
#include "text_format.h"
#include "value.h"

namespace {

// A list that contains itself would be printed forever, and very deep nesting would exhaust
// the native stack; both print as "[...]" at the point where they recur or go too deep.
constexpr int PRINT_DEPTH_MAX = 100;

class Printer {
  public:
    virtual ~Printer() = default;
    virtual void text(const char *s) = 0;
    virtual void number(double d) = 0;
    virtual void string(const StringObject *s) = 0;
    virtual const char *unnamed_function() const { return "<script>"; }
    virtual bool full() const { return false; }

    const ListObject *open[PRINT_DEPTH_MAX];
    int depth = 0;
};

// The printers that collect text in memory write a number as "%g" does on a stream.
constexpr size_t kNumberDigitsMax = 64;
size_t formatNumber(double d, char (&digits)[kNumberDigitsMax]) {
    int n = std::snprintf(digits, sizeof digits, "%g", d);
    return n > 0 ? static_cast<size_t>(n) : 0;
}

class StdoutPrinter final : public Printer {
  public:
    void text(const char *s) override { std::fputs(s, stdout); }
    void number(double d) override { std::printf("%g", d); }
    void string(const StringObject *s) override { text_printf("%s", s->chars); }
};

class StreamPrinter final : public Printer {
  public:
    explicit StreamPrinter(FILE *stream) : stream_(stream) {}
    void text(const char *s) override { std::fputs(s, stream_); }
    void number(double d) override { std::fprintf(stream_, "%g", d); }
    void string(const StringObject *s) override { text_fprintf(stream_, "%s", s->chars); }
    const char *unnamed_function() const override { return "<stream_script>"; }

  private:
    FILE *stream_;
};

class BufferPrinter final : public Printer {
  public:
    BufferPrinter(char *buffer, int size) : buffer_(buffer), size_(size) { buffer_[0] = '\0'; }
    void text(const char *s) override { append(s, std::strlen(s)); }
    void number(double d) override {
        char digits[kNumberDigitsMax];
        append(digits, formatNumber(d, digits));
    }
    void string(const StringObject *s) override { append(s->chars, static_cast<size_t>(s->length)); }
    bool full() const override { return length_ >= size_ - 1; }

  private:
    void append(const char *s, size_t n) {
        size_t room = static_cast<size_t>(size_ - 1 - length_);
        if (n > room) n = room;
        std::memcpy(buffer_ + length_, s, n);
        length_ += static_cast<int>(n);
        buffer_[length_] = '\0';
    }
    char *buffer_;
    int size_;
    int length_ = 0;
};

// Keeps the first `keep` bytes of the text and counts all of it.
class TextPrinter final : public Printer {
  public:
    TextPrinter(std::string &out, size_t keep) : out_(out), keep_(keep) {}
    void text(const char *s) override { append(s, std::strlen(s)); }
    void number(double d) override {
        char digits[kNumberDigitsMax];
        append(digits, formatNumber(d, digits));
    }
    void string(const StringObject *s) override { append(s->chars, static_cast<size_t>(s->length)); }
    size_t length() const { return length_; }

  private:
    void append(const char *s, size_t n) {
        if (out_.size() < keep_) out_.append(s, std::min(n, keep_ - out_.size()));
        length_ += n;
    }
    std::string &out_;
    size_t keep_;
    size_t length_ = 0;
};

void print_value(Printer &printer, ScriptValue value);

bool list_is_open(const Printer &printer, const ListObject *list) {
    for (int i = 0; i < printer.depth; ++i)
        if (printer.open[i] == list) return true;
    return false;
}

void print_list(Printer &printer, const ListObject *list) {
    if (printer.depth == PRINT_DEPTH_MAX || list_is_open(printer, list)) {
        printer.text("[...]");
        return;
    }
    printer.open[printer.depth++] = list;
    printer.text("[");
    for (int i = 0; i < list->count && !printer.full(); ++i) {
        if (i > 0) printer.text(", ");
        print_value(printer, list->items[i]);
    }
    printer.text("]");
    printer.depth--;
}

void print_function(Printer &printer, const FunctionObject *function) {
    if (function->name == nullptr) {
        printer.text(printer.unnamed_function());
        return;
    }
    printer.text("<fn ");
    printer.text(function->name->chars);
    printer.text(">");
}

void print_object(Printer &printer, ScriptValue value) {
    ScriptObject *object = value_as_object(value);
    switch (static_cast<ObjectKind>(object->kind)) {
    case OBJ_LIST:
        print_list(printer, static_cast<ListObject *>(object));
        break;
    case OBJ_BOUND_METHOD:
        print_function(printer, static_cast<BoundMethodObject *>(object)->method->function);
        break;
    case OBJ_CLASS:
        printer.text(static_cast<ClassObject *>(object)->name->chars);
        break;
    case OBJ_CLOSURE:
        print_function(printer, static_cast<ClosureObject *>(object)->function);
        break;
    case OBJ_FUNCTION:
        print_function(printer, static_cast<FunctionObject *>(object));
        break;
    case OBJ_INSTANCE:
        printer.text(static_cast<InstanceObject *>(object)->klass->name->chars);
        printer.text(" instance");
        break;
    case OBJ_NATIVE:
        printer.text("<native fn>");
        break;
    case OBJ_STRING:
        printer.string(static_cast<StringObject *>(object));
        break;
    case OBJ_UPVALUE:
        printer.text("upvalue");
        break;
    }
}

void print_value(Printer &printer, ScriptValue value) {
    if (value_is_bool(value)) {
        printer.text(value_as_bool(value) ? "true" : "false");
    } else if (value_is_nil(value)) {
        printer.text("nil");
    } else if (value_is_number(value)) {
        printer.number(value_as_number(value));
    } else if (value_is_object(value)) {
        print_object(printer, value);
    }
}

} // namespace

void value_print(ScriptValue value) {
    StdoutPrinter printer;
    print_value(printer, value);
}

void value_print_stream(FILE *stream, ScriptValue value) {
    StreamPrinter printer(stream);
    print_value(printer, value);
}

void object_print(ScriptValue value) {
    StdoutPrinter printer;
    print_object(printer, value);
}

void object_print_stream(FILE *stream, ScriptValue value) {
    StreamPrinter printer(stream);
    print_object(printer, value);
}

void list_print(ListObject *list) {
    StdoutPrinter printer;
    print_list(printer, list);
}

size_t value_text(std::string &out, size_t keep, ScriptValue value) {
    TextPrinter printer(out, keep);
    print_value(printer, value);
    return printer.length();
}

char *value_format(char *buffer, int size, ScriptValue value) {
    if (buffer == nullptr || size < 2) return nullptr;
    BufferPrinter printer(buffer, size);
    print_value(printer, value);
    return buffer;
}
