// Declarations: variables, functions, classes and methods, with panic-mode recovery.
#include <cstring>
#include <memory>

#include "compiler/compiler_internal.h"

namespace {

void variable_list(const char *semicolonMessage) {
    do {
        uint8_t global = parse_variable("Expect variable name.");
        if (parser_match(TOKEN_EQUAL)) {
            compile_expression();
        } else {
            emit_byte(OP_NIL);
        }
        compiler_define_variable(global);
    } while (parser_match(TOKEN_COMMA));
    parser_consume(TOKEN_SEMICOLON, semicolonMessage);
}

void parameter_list() {
    if (parser_check(TOKEN_RIGHT_PAREN)) return;
    do {
        compiler_current->function->arity++;
        if (compiler_current->function->arity > COMPILER_PARAMETERS_MAX)
            parser_error_at_current("Can't have more than 255 parameters.");
        uint8_t constant = parse_variable("Expect parameter name.");
        compiler_define_variable(constant);
    } while (parser_match(TOKEN_COMMA));
}

// The function's scope is never closed: its return leaves the frame. The record lives on the
// heap because it holds 256 locals and 256 upvalues and functions nest.
void function(FunctionKind kind) {
    auto compiler = std::make_unique<Compiler>();
    compiler_begin(compiler.get(), kind);
    begin_scope();
    parser_consume(TOKEN_LEFT_PAREN, "Expect '(' after function name.");
    parameter_list();
    parser_consume(TOKEN_RIGHT_PAREN, "Expect ')' after parameters.");
    parser_consume(TOKEN_LEFT_BRACE, "Expect '{' before function body.");
    compile_block();
    FunctionObject *compiled = compiler_end();
    emit_bytes(OP_CLOSURE, make_constant(value_from_object(compiled)));
    for (int i = 0; i < compiled->upvalueCount; ++i) {
        emit_byte(compiler->upvalues[i].isLocal ? 1 : 0);
        emit_byte(compiler->upvalues[i].index);
    }
}

void method() {
    parser_consume(TOKEN_IDENTIFIER, "Expect method name.");
    uint8_t constant = identifier_constant(&compiler_parser.previous);
    bool isInit = compiler_parser.previous.length == 4 && std::memcmp(compiler_parser.previous.start, "init", 4) == 0;
    function(isInit ? FUNCTION_KIND_INITIALIZER : FUNCTION_KIND_METHOD);
    emit_bytes(OP_METHOD, constant);
}

void superclass_clause(const Token &className, ClassCompiler &classCompiler) {
    parser_consume(TOKEN_IDENTIFIER, "Expect superclass name.");
    parse_identifier(false);
    if (identifiers_equal(&className, &compiler_parser.previous)) parser_error("A class can't inherit from itself.");
    begin_scope();
    add_local(synthetic_token("super"));
    compiler_define_variable(0);
    named_variable(className, false);
    emit_byte(OP_INHERIT);
    classCompiler.hasSuperclass = true;
}

void class_declaration() {
    parser_consume(TOKEN_IDENTIFIER, "Expect class name.");
    Token className = compiler_parser.previous;
    uint8_t nameConstant = identifier_constant(&compiler_parser.previous);
    declare_variable();
    emit_bytes(OP_CLASS, nameConstant);
    compiler_define_variable(nameConstant);

    ClassCompiler classCompiler{compiler_current_class, false};
    compiler_current_class = &classCompiler;
    if (parser_match(TOKEN_LESS)) superclass_clause(className, classCompiler);

    named_variable(className, false); // stays on the stack while the methods are added
    parser_consume(TOKEN_LEFT_BRACE, "Expect '{' before class body.");
    while (!parser_check(TOKEN_RIGHT_BRACE) && !parser_check(TOKEN_EOF)) method();
    parser_consume(TOKEN_RIGHT_BRACE, "Expect '}' after class body.");
    emit_byte(OP_POP);
    if (classCompiler.hasSuperclass) end_scope();
    compiler_current_class = compiler_current_class->enclosing;
}

void fun_declaration() {
    uint8_t global = parse_variable("Expect function name.");
    mark_initialized(); // a function may call itself by name from inside a block
    function(FUNCTION_KIND_FUNCTION);
    compiler_define_variable(global);
}

bool is_statement_start(int kind) {
    switch (kind) {
    case TOKEN_CLASS:
    case TOKEN_FOR:
    case TOKEN_FUN:
    case TOKEN_IF:
    case TOKEN_PRINT:
    case TOKEN_RETURN:
    case TOKEN_VAR:
    case TOKEN_WHILE:
    case TOKEN_PRINTLN:
    case TOKEN_SCANF:
    case TOKEN_END:
        return true;
    default:
        return false;
    }
}

// After an error, skip to a statement boundary so that one mistake gives one report.
void synchronize() {
    if (compiler_parser.abandoned) return;
    compiler_parser.panicMode = false;
    while (compiler_parser.current.kind != TOKEN_EOF) {
        if (compiler_parser.previous.kind == TOKEN_SEMICOLON) return;
        if (is_statement_start(compiler_parser.current.kind)) return;
        parser_advance();
    }
}

} // namespace

void var_declaration() {
    variable_list("Expect ';' after variable declaration.");
}

// scanf declares its names exactly like var; it reads nothing at compile time.
void scanf_declaration() {
    variable_list("Expect ';' after variable scanf.");
}

void compile_declaration() {
    if (!parser_enter_nesting()) return;
    if (parser_match(TOKEN_CLASS)) {
        class_declaration();
    } else if (parser_match(TOKEN_FUN)) {
        fun_declaration();
    } else if (parser_match(TOKEN_VAR)) {
        var_declaration();
    } else if (parser_match(TOKEN_END)) {
        emit_byte(OP_END);
    } else {
        compile_statement();
    }
    if (compiler_parser.panicMode) synchronize();
    parser_leave_nesting();
}
