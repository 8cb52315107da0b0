// Statements: print lists, expression statements, blocks, control flow and return.
#include "compiler/compiler_internal.h"

namespace {

void print_statement(uint8_t printOpcode) {
    do {
        compile_expression();
        emit_byte(printOpcode);
    } while (parser_match(TOKEN_COMMA));
    parser_consume(TOKEN_SEMICOLON, "Expect ';' after value.");
}

void expression_statement() {
    compile_expression();
    parser_consume(TOKEN_SEMICOLON, "Expect ';' after expression.");
    emit_byte(OP_POP);
}

void if_statement() {
    parser_consume(TOKEN_LEFT_PAREN, "Expect '(' after 'if'.");
    compile_expression();
    parser_consume(TOKEN_RIGHT_PAREN, "Expect ')' after condition.");
    int thenJump = emit_jump(OP_JUMP_IF_FALSE);
    emit_byte(OP_POP);
    compile_statement();
    int elseJump = emit_jump(OP_JUMP);
    patch_jump(thenJump);
    emit_byte(OP_POP);
    if (parser_match(TOKEN_ELSE)) compile_statement();
    patch_jump(elseJump);
}

void while_statement() {
    int loopStart = compiler_current_chunk()->count;
    parser_consume(TOKEN_LEFT_PAREN, "Expect '(' after 'while'.");
    compile_expression();
    parser_consume(TOKEN_RIGHT_PAREN, "Expect ')' after condition.");
    int exitJump = emit_jump(OP_JUMP_IF_FALSE);
    emit_byte(OP_POP);
    compile_statement();
    emit_loop(loopStart);
    patch_jump(exitJump);
    emit_byte(OP_POP);
}

void for_initializer() {
    if (parser_match(TOKEN_SEMICOLON)) return;
    if (parser_match(TOKEN_VAR)) {
        var_declaration();
    } else {
        expression_statement();
    }
}

void for_statement() {
    begin_scope();
    parser_consume(TOKEN_LEFT_PAREN, "Expect '(' after 'for'.");
    for_initializer();
    int loopStart = compiler_current_chunk()->count;
    int exitJump = -1;
    if (!parser_match(TOKEN_SEMICOLON)) {
        compile_expression();
        parser_consume(TOKEN_SEMICOLON, "Expect ';' after loop condition.");
        exitJump = emit_jump(OP_JUMP_IF_FALSE);
        emit_byte(OP_POP);
    }
    if (!parser_match(TOKEN_RIGHT_PAREN)) {
        int bodyJump = emit_jump(OP_JUMP);
        int incrementStart = compiler_current_chunk()->count;
        compile_expression();
        emit_byte(OP_POP);
        parser_consume(TOKEN_RIGHT_PAREN, "Expect ')' after for clauses.");
        emit_loop(loopStart);
        loopStart = incrementStart;
        patch_jump(bodyJump);
    }
    compile_statement();
    emit_loop(loopStart);
    if (exitJump != -1) {
        patch_jump(exitJump);
        emit_byte(OP_POP);
    }
    end_scope();
}

void return_statement() {
    if (compiler_current->kind == FUNCTION_KIND_SCRIPT) parser_error("Can't return from top-level code.");
    if (parser_match(TOKEN_SEMICOLON)) {
        emit_return();
        return;
    }
    if (compiler_current->kind == FUNCTION_KIND_INITIALIZER) parser_error("Can't return a value from an initializer.");
    compile_expression();
    parser_consume(TOKEN_SEMICOLON, "Expect ';' after return value.");
    emit_byte(OP_RETURN);
}

void block_statement() {
    begin_scope();
    compile_block();
    end_scope();
}

void print_plain() {
    print_statement(OP_PRINT);
}
void print_line() {
    print_statement(OP_PRINTLN);
}

struct StatementRule {
    int kind;
    void (*compile)();
};

constexpr StatementRule STATEMENTS[] = {
    {TOKEN_SCANF, scanf_declaration}, {TOKEN_PRINTLN, print_line},
    {TOKEN_PRINT, print_plain},       {TOKEN_FOR, for_statement},
    {TOKEN_IF, if_statement},         {TOKEN_RETURN, return_statement},
    {TOKEN_WHILE, while_statement},   {TOKEN_LEFT_BRACE, block_statement},
};

} // namespace

void compile_statement() {
    if (!parser_enter_nesting()) return;
    bool matched = false;
    for (const StatementRule &rule : STATEMENTS) {
        if (!parser_match(rule.kind)) continue;
        rule.compile();
        matched = true;
        break;
    }
    if (!matched) expression_statement();
    parser_leave_nesting();
}

void compile_block() {
    while (!parser_check(TOKEN_RIGHT_BRACE) && !parser_check(TOKEN_EOF)) compile_declaration();
    parser_consume(TOKEN_RIGHT_BRACE, "Expect '}' after block.");
}
