// Resolution of names to locals, upvalues and globals, and block scopes.
#include <cstring>

#include "compiler/compiler_internal.h"

namespace {

int resolve_local(Compiler *compiler, const Token *name) {
    for (int i = compiler->localCount - 1; i >= 0; --i) {
        Local *local = &compiler->locals[i];
        if (!identifiers_equal(name, &local->name)) continue;
        if (local->depth == -1) parser_error("Can't read local variable in its own initializer.");
        return i;
    }
    return -1;
}

int add_upvalue(Compiler *compiler, uint8_t index, bool isLocal) {
    int upvalueCount = compiler->function->upvalueCount;
    for (int i = 0; i < upvalueCount; ++i) {
        Upvalue *upvalue = &compiler->upvalues[i];
        if (upvalue->index == index && upvalue->isLocal == isLocal) return i;
    }
    if (upvalueCount == COMPILER_UPVALUES_MAX) {
        parser_error("Too many closure variables in function.");
        return 0;
    }
    compiler->upvalues[upvalueCount] = {index, isLocal};
    return compiler->function->upvalueCount++;
}

int resolve_upvalue(Compiler *compiler, const Token *name) {
    if (compiler->enclosing == nullptr) return -1;
    int local = resolve_local(compiler->enclosing, name);
    if (local != -1) {
        compiler->enclosing->locals[local].isCaptured = true;
        return add_upvalue(compiler, static_cast<uint8_t>(local), true);
    }
    int upvalue = resolve_upvalue(compiler->enclosing, name);
    if (upvalue != -1) return add_upvalue(compiler, static_cast<uint8_t>(upvalue), false);
    return -1;
}

} // namespace

Token synthetic_token(const char *text) {
    return {TOKEN_IDENTIFIER, text, static_cast<int>(std::strlen(text)), compiler_parser.previous.line};
}

bool identifiers_equal(const Token *a, const Token *b) {
    return a->length == b->length && std::memcmp(a->start, b->start, static_cast<size_t>(a->length)) == 0;
}

uint8_t identifier_constant(const Token *name) {
    return make_constant(value_from_object(string_copy(name->start, name->length)));
}

void add_local(Token name) {
    if (compiler_current->localCount == COMPILER_LOCALS_MAX) {
        parser_error("Too many local variables in function.");
        return;
    }
    compiler_current->locals[compiler_current->localCount++] = {name, -1, false};
}

// Globals are late-bound; only locals are declared.
void declare_variable() {
    if (compiler_current->scopeDepth == 0) return;
    Token *name = &compiler_parser.previous;
    for (int i = compiler_current->localCount - 1; i >= 0; --i) {
        Local *local = &compiler_current->locals[i];
        if (local->depth != -1 && local->depth < compiler_current->scopeDepth) break;
        if (identifiers_equal(name, &local->name))
            parser_error("Already a variable with this name in this scope.");
    }
    add_local(*name);
}

uint8_t parse_variable(const char *message) {
    parser_consume(TOKEN_IDENTIFIER, message);
    declare_variable();
    if (compiler_current->scopeDepth > 0) return 0;
    return identifier_constant(&compiler_parser.previous);
}

void mark_initialized() {
    if (compiler_current->scopeDepth == 0) return;
    compiler_current->locals[compiler_current->localCount - 1].depth = compiler_current->scopeDepth;
}

void compiler_define_variable(uint8_t global) {
    if (compiler_current->scopeDepth > 0) {
        mark_initialized();
        return;
    }
    emit_bytes(OP_DEFINE_GLOBAL, global);
}

void named_variable(Token name, bool canAssign) {
    uint8_t getOp;
    uint8_t setOp;
    int arg = resolve_local(compiler_current, &name);
    if (arg != -1) {
        getOp = OP_GET_LOCAL;
        setOp = OP_SET_LOCAL;
    } else if ((arg = resolve_upvalue(compiler_current, &name)) != -1) {
        getOp = OP_GET_UPVALUE;
        setOp = OP_SET_UPVALUE;
    } else {
        arg = identifier_constant(&name);
        getOp = OP_GET_GLOBAL;
        setOp = OP_SET_GLOBAL;
    }
    if (canAssign && parser_match(TOKEN_EQUAL)) {
        compile_expression();
        emit_bytes(setOp, static_cast<uint8_t>(arg));
    } else {
        emit_bytes(getOp, static_cast<uint8_t>(arg));
    }
}

void begin_scope() {
    compiler_current->scopeDepth++;
}

void end_scope() {
    compiler_current->scopeDepth--;
    while (compiler_current->localCount > 0 && compiler_current->locals[compiler_current->localCount - 1].depth > compiler_current->scopeDepth) {
        emit_byte(compiler_current->locals[compiler_current->localCount - 1].isCaptured ? OP_CLOSE_UPVALUE : OP_POP);
        compiler_current->localCount--;
    }
}
