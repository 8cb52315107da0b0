// Compile entry and the lifecycle of the per-function compiler records.
#include "compiler/compiler.h"

#include "compiler/compiler_internal.h"
#include "memory.h"
#include "scanner/scanner.h"

Compiler *compiler_current = nullptr;
ClassCompiler *compiler_current_class = nullptr;

void compiler_begin(Compiler *compiler, FunctionKind kind) {
    compiler->enclosing = compiler_current;
    compiler->function = nullptr;
    compiler->kind = kind;
    compiler->localCount = 0;
    compiler->scopeDepth = 0;
    // Linked before anything is allocated, so that the collector reaches the new function
    // while its name is being interned.
    compiler_current = compiler;
    compiler->function = new_function();
    if (kind != FUNCTION_KIND_SCRIPT)
        compiler->function->name = string_copy(compiler_parser.previous.start, compiler_parser.previous.length);

    Local *local = &compiler->locals[compiler->localCount++];
    local->depth = 0;
    local->isCaptured = false;
    local->name = synthetic_token(kind == FUNCTION_KIND_FUNCTION ? "" : "this");
}

FunctionObject *compiler_end() {
    emit_return();
    FunctionObject *function = compiler_current->function;
    compiler_current = compiler_current->enclosing;
    return function;
}

FunctionObject *compiler_compile(const char *source) {
    scanner_init(source);
    compiler_current = nullptr;
    compiler_current_class = nullptr;
    Compiler compiler;
    parser_reset();
    // Memory that runs out mid-compile leaves no record of this compile for the collector to
    // walk: the records live on this stack, which the throw unwinds.
    FunctionObject *function = nullptr;
    try {
        compiler_begin(&compiler, FUNCTION_KIND_SCRIPT);
        parser_advance();
        while (!parser_match(TOKEN_EOF)) compile_declaration();
        function = compiler_end();
    } catch (const ScriptOutOfMemory &) {
        compiler_current = nullptr;
        compiler_current_class = nullptr;
        throw;
    }
    return compiler_parser.hadError ? nullptr : function;
}

void compiler_mark_roots() {
    for (Compiler *compiler = compiler_current; compiler != nullptr; compiler = compiler->enclosing)
        gc_mark_object(compiler->function);
}
