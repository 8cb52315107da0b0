// The Pratt parser: one rule per token kind, every expression form and its bytecode.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "compiler/compiler_internal.h"

namespace {

using ParseFn = void (*)(bool canAssign);

struct ParseRule {
    ParseFn prefix;
    ParseFn infix;
    Precedence precedence;
};

const ParseRule &get_rule(int kind);

void parse_grouping(bool) {
    compile_expression();
    parser_consume(TOKEN_RIGHT_PAREN, "Expect ')' after expression.");
}

void parse_call(bool) {
    emit_bytes(OP_CALL, argument_list());
}

void parse_dot(bool canAssign) {
    parser_consume(TOKEN_IDENTIFIER, "Expect property name after '.'.");
    uint8_t name = identifier_constant(&compiler_parser.previous);
    if (canAssign && parser_match(TOKEN_EQUAL)) {
        compile_expression();
        emit_bytes(OP_SET_PROPERTY, name);
    } else if (parser_match(TOKEN_LEFT_PAREN)) {
        uint8_t argCount = argument_list();
        emit_bytes(OP_INVOKE, name);
        emit_byte(argCount);
    } else {
        emit_bytes(OP_GET_PROPERTY, name);
    }
}

void parse_list(bool) {
    int count = 0;
    if (!parser_check(TOKEN_RIGHT_BRACKET)) {
        do {
            if (parser_check(TOKEN_RIGHT_BRACKET)) break; // a trailing comma
            parse_precedence(PREC_OR);
            if (count == COMPILER_LIST_ITEMS_MAX) {
                parser_error("Cannot have more than 255 items in a list literal.");
            } else {
                count++;
            }
        } while (parser_match(TOKEN_COMMA));
    }
    parser_consume(TOKEN_RIGHT_BRACKET, "Expect ']' after list literal.");
    emit_bytes(OP_LIST_INIT, static_cast<uint8_t>(count));
}

void parse_index(bool canAssign) {
    parse_precedence(PREC_OR);
    parser_consume(TOKEN_RIGHT_BRACKET, "Expect ']' after index.");
    if (canAssign && parser_match(TOKEN_EQUAL)) {
        compile_expression();
        emit_byte(OP_LIST_SETIDX);
    } else {
        emit_byte(OP_LIST_GETIDX);
    }
}

void parse_unary(bool) {
    int operatorKind = compiler_parser.previous.kind;
    parse_precedence(PREC_UNARY);
    if (operatorKind == TOKEN_MINUS) emit_byte(OP_NEGATE);
    if (operatorKind == TOKEN_BANG) emit_byte(OP_NOT);
}

struct BinaryOperator {
    int kind;
    uint8_t opcode;
    bool negate; // followed by OP_NOT
};

constexpr BinaryOperator BINARY_OPERATORS[] = {
    {TOKEN_PLUS, OP_ADD, false},
    {TOKEN_MINUS, OP_SUBTRACT, false},
    {TOKEN_STAR, OP_MULTIPLY, false},
    {TOKEN_SLASH, OP_DIVIDE, false},
    {TOKEN_BAR, OP_DIVIDE_FR, false},
    {TOKEN_CIRCUMFLEX, OP_CIRCUMFLEX, false},
    {TOKEN_AT, OP_MOD, false},
    {TOKEN_PERCENT, OP_INTDIV, false},
    {TOKEN_BANG_INFIX, OP_FACTORIAL, false},
    {TOKEN_EQUAL_EQUAL, OP_EQUAL, false},
    {TOKEN_BANG_EQUAL, OP_EQUAL, true},
    {TOKEN_GREATER, OP_GREATER, false},
    {TOKEN_GREATER_EQUAL, OP_LESS, true},
    {TOKEN_LESS, OP_LESS, false},
    {TOKEN_LESS_EQUAL, OP_GREATER, true},
};

// Every binary operator groups to the left, "^" included: 2^3^2 is (2^3)^2.
void parse_binary(bool) {
    int operatorKind = compiler_parser.previous.kind;
    parse_precedence(static_cast<Precedence>(get_rule(operatorKind).precedence + 1));
    for (const BinaryOperator &op : BINARY_OPERATORS) {
        if (op.kind != operatorKind) continue;
        emit_byte(op.opcode);
        if (op.negate) emit_byte(OP_NOT);
        return;
    }
}

// The operand is the expression before the "!".
void parse_postfix_factorial(bool) {
    emit_byte(OP_SINGLE_FACTORIAL);
}

void parse_string(bool) {
    emit_constant(value_from_object(string_copy(compiler_parser.previous.start + 1, compiler_parser.previous.length - 2)));
}

// The lexeme without its suffix "d".
void parse_number_double(bool) {
    std::string digits(compiler_parser.previous.start, static_cast<size_t>(compiler_parser.previous.length - 1));
    emit_constant(value_from_number(std::strtod(digits.c_str(), nullptr)));
}

// A plain number literal stays its exact text; the engine computes with it later.
void parse_number_text(bool) {
    emit_constant(value_from_object(string_copy(compiler_parser.previous.start, compiler_parser.previous.length)));
}

void parse_and(bool) {
    int endJump = emit_jump(OP_JUMP_IF_FALSE);
    emit_byte(OP_POP);
    parse_precedence(PREC_AND);
    patch_jump(endJump);
}

void parse_or(bool) {
    int elseJump = emit_jump(OP_JUMP_IF_FALSE);
    int endJump = emit_jump(OP_JUMP);
    patch_jump(elseJump);
    emit_byte(OP_POP);
    parse_precedence(PREC_OR);
    patch_jump(endJump);
}

void parse_literal(bool) {
    switch (compiler_parser.previous.kind) {
    case TOKEN_FALSE:
        emit_byte(OP_FALSE);
        break;
    case TOKEN_NIL:
        emit_byte(OP_NIL);
        break;
    case TOKEN_TRUE:
        emit_byte(OP_TRUE);
        break;
    default:
        break;
    }
}

void parse_super(bool) {
    if (compiler_current_class == nullptr) {
        parser_error("Can't use 'super' outside of a class.");
    } else if (!compiler_current_class->hasSuperclass) {
        parser_error("Can't use 'super' in a class with no superclass.");
    }
    parser_consume(TOKEN_DOT, "Expect '.' after 'super'.");
    parser_consume(TOKEN_IDENTIFIER, "Expect superclass method name.");
    uint8_t name = identifier_constant(&compiler_parser.previous);
    named_variable(synthetic_token("this"), false);
    if (parser_match(TOKEN_LEFT_PAREN)) {
        uint8_t argCount = argument_list();
        named_variable(synthetic_token("super"), false);
        emit_bytes(OP_SUPER_INVOKE, name);
        emit_byte(argCount);
    } else {
        named_variable(synthetic_token("super"), false);
        emit_bytes(OP_GET_SUPER, name);
    }
}

void parse_this(bool) {
    if (compiler_current_class == nullptr) {
        parser_error("Can't use 'this' outside of a class.");
        return;
    }
    parse_identifier(false);
}

void parse_end(bool) {
    emit_byte(OP_END);
}

bool lexeme_is(const Token &token, const char *text) {
    return static_cast<size_t>(token.length) == std::strlen(text) &&
           std::memcmp(token.start, text, static_cast<size_t>(token.length)) == 0;
}

struct ModeMessage {
    const char *word;
    const char *message;
};

// Printed while compiling, whether or not the code ever runs.
constexpr ModeMessage MODE_MESSAGES[] = {
    {":mode0", "switch into numerical mode.\n"},
    {":mode1", "switch into fraction mode.\n"},
};

constexpr ModeMessage SETPRECISION_MESSAGES[] = {
    {":setprecision", "setprecision.\n"},
};

// The word itself is the operand: the machine reads its last character.
template <size_t N> void emit_mode_word(const ModeMessage (&messages)[N], uint8_t opcode) {
    for (const ModeMessage &mode : messages)
        if (lexeme_is(compiler_parser.previous, mode.word)) std::fputs(mode.message, stdout);
    emit_constant(value_from_object(string_copy(compiler_parser.previous.start, compiler_parser.previous.length)));
    emit_byte(opcode);
}

void parse_mode(bool) {
    emit_mode_word(MODE_MESSAGES, OP_MODE);
}

void parse_setprecision(bool) {
    emit_mode_word(SETPRECISION_MESSAGES, OP_SETPRECISION);
}

constexpr std::array<ParseRule, TOKEN_KIND_COUNT> make_rules() {
    std::array<ParseRule, TOKEN_KIND_COUNT> rules{};
    for (ParseRule &rule : rules) rule = {nullptr, nullptr, PREC_NONE};
    rules[TOKEN_LEFT_PAREN] = {parse_grouping, parse_call, PREC_CALL};
    rules[TOKEN_LEFT_BRACKET] = {parse_list, parse_index, PREC_SUBSCRIPT};
    rules[TOKEN_DOT] = {nullptr, parse_dot, PREC_CALL};
    rules[TOKEN_MINUS] = {parse_unary, parse_binary, PREC_TERM};
    rules[TOKEN_PLUS] = {nullptr, parse_binary, PREC_TERM};
    for (int kind : {TOKEN_AT, TOKEN_PERCENT, TOKEN_SLASH, TOKEN_STAR, TOKEN_BAR})
        rules[kind] = {nullptr, parse_binary, PREC_FACTOR};
    rules[TOKEN_CIRCUMFLEX] = {nullptr, parse_binary, PREC_POWER};
    rules[TOKEN_BANG_POSTFIX] = {nullptr, parse_postfix_factorial, PREC_UNARY};
    rules[TOKEN_BANG_EQUAL] = {nullptr, parse_binary, PREC_EQUALITY};
    rules[TOKEN_EQUAL_EQUAL] = {nullptr, parse_binary, PREC_EQUALITY};
    rules[TOKEN_BANG_INFIX] = {nullptr, parse_binary, PREC_FACTORIAL};
    for (int kind : {TOKEN_GREATER, TOKEN_GREATER_EQUAL, TOKEN_LESS, TOKEN_LESS_EQUAL})
        rules[kind] = {nullptr, parse_binary, PREC_COMPARISON};
    rules[TOKEN_IDENTIFIER] = {parse_identifier, nullptr, PREC_NONE};
    rules[TOKEN_STRING] = {parse_string, nullptr, PREC_NONE};
    rules[TOKEN_NUMBER_D] = {parse_number_double, nullptr, PREC_NONE};
    rules[TOKEN_NUMBER] = {parse_number_text, nullptr, PREC_NONE};
    rules[TOKEN_AND] = {nullptr, parse_and, PREC_AND};
    for (int kind : {TOKEN_FALSE, TOKEN_NIL, TOKEN_TRUE}) rules[kind] = {parse_literal, nullptr, PREC_NONE};
    rules[TOKEN_OR] = {nullptr, parse_or, PREC_OR};
    rules[TOKEN_SUPER] = {parse_super, nullptr, PREC_NONE};
    rules[TOKEN_THIS] = {parse_this, nullptr, PREC_NONE};
    rules[TOKEN_END] = {parse_end, nullptr, PREC_NONE};
    rules[TOKEN_MODE] = {parse_mode, nullptr, PREC_NONE};
    rules[TOKEN_SETPRECISION] = {parse_setprecision, nullptr, PREC_NONE};
    return rules;
}

constexpr std::array<ParseRule, TOKEN_KIND_COUNT> RULES = make_rules();

const ParseRule &get_rule(int kind) {
    return RULES[static_cast<size_t>(kind)];
}

} // namespace

void parse_identifier(bool canAssign) {
    named_variable(compiler_parser.previous, canAssign);
}

uint8_t argument_list() {
    int argCount = 0;
    if (!parser_check(TOKEN_RIGHT_PAREN)) {
        do {
            compile_expression();
            if (argCount == COMPILER_ARGUMENTS_MAX) {
                parser_error("Can't have more than 255 arguments.");
            } else {
                argCount++;
            }
        } while (parser_match(TOKEN_COMMA));
    }
    parser_consume(TOKEN_RIGHT_PAREN, "Expect ')' after arguments.");
    return static_cast<uint8_t>(argCount);
}

void parse_precedence(Precedence level) {
    if (!parser_enter_nesting()) return;
    parser_advance();
    ParseFn prefix = get_rule(compiler_parser.previous.kind).prefix;
    if (prefix == nullptr) {
        parser_error("Expect expression.");
        parser_leave_nesting();
        return;
    }
    bool canAssign = level <= PREC_ASSIGNMENT;
    prefix(canAssign);
    while (level <= get_rule(compiler_parser.current.kind).precedence) {
        parser_advance();
        get_rule(compiler_parser.previous.kind).infix(canAssign);
    }
    if (canAssign && parser_match(TOKEN_EQUAL)) parser_error("Invalid assignment target.");
    parser_leave_nesting();
}

void compile_expression() {
    parse_precedence(PREC_ASSIGNMENT);
}
