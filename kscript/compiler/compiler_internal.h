// State and helpers shared by the parts of the single-pass compiler.
#pragma once

#include <cstdint>

#include "chunk.h"
#include "object.h"
#include "scanner/token.h"

struct Parser {
    Token current;
    Token previous;
    bool hadError;
    bool panicMode;
    bool abandoned; // nesting limit hit: the rest of the source is skipped, no further reports
};

enum FunctionKind {
    FUNCTION_KIND_FUNCTION = 0,
    FUNCTION_KIND_INITIALIZER = 1,
    FUNCTION_KIND_METHOD = 2,
    FUNCTION_KIND_SCRIPT = 3,
};

// Slots and upvalue indexes are one-byte operands.
constexpr int COMPILER_LOCALS_MAX = 256;
constexpr int COMPILER_UPVALUES_MAX = 256;
constexpr int COMPILER_ARGUMENTS_MAX = 255;
constexpr int COMPILER_PARAMETERS_MAX = 255;
constexpr int COMPILER_LIST_ITEMS_MAX = 255; // the item count of OP_LIST_INIT is one byte
constexpr int COMPILER_JUMP_MAX = 65535;

// Every nested expression, statement and declaration is a level of native recursion; past this
// depth the compile fails instead of exhausting the native stack.
constexpr int COMPILER_NESTING_MAX = 256;

struct Local {
    Token name;
    int depth; // -1 while declared but not yet initialised
    bool isCaptured;
};

struct Upvalue {
    uint8_t index;
    bool isLocal;
};

struct Compiler {
    Compiler *enclosing;
    FunctionObject *function;
    FunctionKind kind;
    Local locals[COMPILER_LOCALS_MAX];
    int localCount;
    Upvalue upvalues[COMPILER_UPVALUES_MAX];
    int scopeDepth;
};

struct ClassCompiler {
    ClassCompiler *enclosing;
    bool hasSuperclass;
};

enum Precedence {
    PREC_NONE,
    PREC_ASSIGNMENT,
    PREC_OR,
    PREC_AND,
    PREC_EQUALITY,
    PREC_COMPARISON,
    PREC_TERM,
    PREC_FACTOR,
    PREC_POWER,
    PREC_FACTORIAL,
    PREC_UNARY,
    PREC_CALL,
    PREC_SUBSCRIPT,
};

extern Parser compiler_parser;
extern Compiler *compiler_current;
extern ClassCompiler *compiler_current_class;

// Token flow and errors.
void parser_advance();
bool parser_check(int kind);
bool parser_match(int kind);
void parser_consume(int kind, const char *message);
void parser_error_at(const Token *token, const char *message);
void parser_error(const char *message);
void parser_error_at_current(const char *message);
bool parser_enter_nesting();
void parser_leave_nesting();
void parser_reset();

// Emission into the innermost function's chunk.
Chunk *compiler_current_chunk();
void emit_byte(uint8_t byte);
void emit_bytes(uint8_t first, uint8_t second);
uint8_t make_constant(ScriptValue value);
void emit_constant(ScriptValue value);
int emit_jump(uint8_t opcode);
void patch_jump(int offset);
void emit_loop(int loopStart);
void emit_return();

// Expressions.
void parse_precedence(Precedence level);
void compile_expression();
uint8_t argument_list();
void parse_identifier(bool canAssign);

// Names and scopes.
Token synthetic_token(const char *text);
bool identifiers_equal(const Token *a, const Token *b);
uint8_t identifier_constant(const Token *name);
void add_local(Token name);
void declare_variable();
uint8_t parse_variable(const char *message);
void mark_initialized();
void compiler_define_variable(uint8_t global);
void named_variable(Token name, bool canAssign);
void begin_scope();
void end_scope();

// Functions.
void compiler_begin(Compiler *compiler, FunctionKind kind);
FunctionObject *compiler_end();

// Declarations and statements.
void compile_declaration();
void var_declaration();
void scanf_declaration();
void compile_statement();
void compile_block();
