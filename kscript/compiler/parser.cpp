// Token flow, error reporting and recovery state of the compiler.
#include <cstdio>

#include "compiler/compiler_internal.h"
#include "scanner/scanner.h"
#include "vm/vm.h"

Parser compiler_parser;

namespace {
int nesting = 0;

// Skips the rest of the source: every loop of the parser ends at the end token, so the
// recursion unwinds without reading further.
void parser_abandon() {
    compiler_parser.abandoned = true;
    while (compiler_parser.current.kind != TOKEN_EOF) compiler_parser.current = scanner_next_token();
}
} // namespace

void parser_reset() {
    compiler_parser.hadError = false;
    compiler_parser.panicMode = false;
    compiler_parser.abandoned = false;
    nesting = 0;
}

void parser_error_at(const Token *token, const char *message) {
    if (compiler_parser.panicMode) return;
    compiler_parser.panicMode = true;
    if (vm_error_report_switch == 1) {
        std::fprintf(stderr, "[line %d] Error", token->line);
        if (token->kind == TOKEN_EOF) {
            std::fprintf(stderr, " at end");
        } else if (token->kind != TOKEN_ERROR) {
            std::fprintf(stderr, " at '%.*s'", token->length, token->start);
        }
        std::fprintf(stderr, ": %s\n", message);
    }
    compiler_parser.hadError = true;
}

void parser_error(const char *message) {
    parser_error_at(&compiler_parser.previous, message);
}

void parser_error_at_current(const char *message) {
    parser_error_at(&compiler_parser.current, message);
}

void parser_advance() {
    compiler_parser.previous = compiler_parser.current;
    for (;;) {
        compiler_parser.current = scanner_next_token();
        if (compiler_parser.current.kind != TOKEN_ERROR) break;
        parser_error_at_current(compiler_parser.current.start);
    }
}

bool parser_check(int kind) {
    return compiler_parser.current.kind == kind;
}

bool parser_match(int kind) {
    if (!parser_check(kind)) return false;
    parser_advance();
    return true;
}

// A failed consume fails the compile whether or not it is reported: a partly parsed script
// must never count as a success.
void parser_consume(int kind, const char *message) {
    if (compiler_parser.current.kind == kind) {
        parser_advance();
        return;
    }
    parser_error_at_current(message);
}

bool parser_enter_nesting() {
    if (nesting >= COMPILER_NESTING_MAX) {
        parser_error_at_current("Too much nesting.");
        parser_abandon();
        return false;
    }
    nesting++;
    return true;
}

void parser_leave_nesting() {
    nesting--;
}
