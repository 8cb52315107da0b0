// Term allocation, release and copying, and the allocation-failure printer.
#include <cstdio>
#include <new>

#include "polyn_terms.h"

poly *new_term(std::string coefficient, int64_t exponent) {
    poly *t = new (std::nothrow) poly(std::move(coefficient), exponent);
    if (!t) print_error_at("src/polynomial/terms.cpp", 43, "new_term", "Failed to allocate poly.");
    return t;
}

void free_term_list(poly *list) {
    const bool forward = is_forward_list(list);
    while (list) {
        poly *after = forward ? list->next : list->prev;
        delete list;
        list = after;
    }
}

void append_term(poly *&handle, poly *&last, poly *t, bool forward) {
    if (!t) return;
    if (!handle) {
        handle = t;
    } else if (forward) {
        last->next = t;
        t->prev = last;
    } else {
        last->prev = t;
        t->next = last;
    }
    last = t;
}

poly *copy_term_list(const poly *list) {
    poly *handle = nullptr, *last = nullptr;
    for (const poly *t = list; t; t = walk_next(list, t)) append_term(handle, last, new_term(t->coefficient, t->exponent), is_forward_list(list));
    return handle;
}

void print_error_at(const char *sourceFile, int32_t line, const char *function, const char *message) {
    std::printf("error> %s [%ld] %s, %s\n", sourceFile, long(line), function, message);
}
