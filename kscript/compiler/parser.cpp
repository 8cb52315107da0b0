// Token flow, error reporting and recovery state of the compiler.
#include <cstdio>

#include "compiler/compiler_internal.h"
#include "scanner/scanner.h"
#include "vm/vm.h"

Parser parser;

namespace {
int nesting = 0;

// Skips the rest of the source: every loop of the parser ends at the end token, so the
// recursion unwinds without reading further.
void parser_abandon() {
    parser.abandoned = true;
    while (parser.current.kind != TOKEN_EOF) parser.current = scanner_next_token();
}
} // namespace

void parser_reset() {
    parser.hadError = false;
    parser.panicMode = false;
    parser.abandoned = false;
    nesting = 0;
}

void parser_error_at(const Token *token, const char *message) {
    if (parser.panicMode) return;
    parser.panicMode = true;
    if (vm_error_report_switch == 1) {
        std::fprintf(stderr, "[line %d] Error", token->line);
        if (token->kind == TOKEN_EOF) {
            std::fprintf(stderr, " at end");
        } else if (token->kind != TOKEN_ERROR) {
            std::fprintf(stderr, " at '%.*s'", token->length, token->start);
        }
        std::fprintf(stderr, ": %s\n", message);
    }
    parser.hadError = true;
}

void parser_error(const char *message) {
    parser_error_at(&parser.previous, message);
}

void parser_error_at_current(const char *message) {
    parser_error_at(&parser.current, message);
}

void parser_advance() {
    parser.previous = parser.current;
    for (;;) {
        parser.current = scanner_next_token();
        if (parser.current.kind != TOKEN_ERROR) break;
        parser_error_at_current(parser.current.start);
    }
}

bool parser_check(int kind) {
    return parser.current.kind == kind;
}

bool parser_match(int kind) {
    if (!parser_check(kind)) return false;
    parser_advance();
    return true;
}

// A failed consume fails the compile whether or not it is reported: a partly parsed script
// must never count as a success.
void parser_consume(int kind, const char *message) {
    if (parser.current.kind == kind) {
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
