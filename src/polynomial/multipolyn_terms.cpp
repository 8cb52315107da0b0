// Factors and terms of polynomials in several variables: allocation, release, walking,
// copying, splitting, and the message lists.
#include <new>

#include "multipolyn.h"
#include "tools.h"

poly_pt *new_term_pt(std::string coefficient, std::string exponent, int32_t index, int32_t) {
    poly_pt *f = new (std::nothrow) poly_pt;
    if (!f) {
        print_error_at("src/polynomial/multipolyn_terms.cpp", 254, "new_term_pt", "Failed to allocate poly_pt.");
        return nullptr;
    }
    f->index = index;
    f->coefficient = std::move(coefficient);
    f->exponent = std::move(exponent);
    return f;
}

void multipolyn_free(poly_pt *list) {
    while (list) {
        poly_pt *after = list->next ? list->next : list->next_term;
        delete list;
        list = after;
    }
}

poly_pt *multipolyn_term_first(const poly_pt *factor) {
    while (factor && factor->prev) factor = factor->prev;
    return const_cast<poly_pt *>(factor);
}

poly_pt *multipolyn_term_last(const poly_pt *factor) {
    while (factor && factor->next) factor = factor->next;
    return const_cast<poly_pt *>(factor);
}

poly_pt *multipolyn_next_term(const poly_pt *factor) {
    poly_pt *last = multipolyn_term_last(factor);
    return last ? last->next_term : nullptr;
}

poly_pt *multipolyn_prev_term_last(const poly_pt *factor) {
    poly_pt *first = multipolyn_term_first(factor);
    return first ? first->prev_term : nullptr;
}

poly_pt *multipolyn_prev_term_first(const poly_pt *factor) {
    return multipolyn_term_first(multipolyn_prev_term_last(factor));
}

poly_pt *multipolyn_copy_term(const poly_pt *factor) {
    poly_pt *first = nullptr, *last = nullptr;
    for (const poly_pt *f = factor; f; f = f->next) {
        poly_pt *c = new_term_pt(f->coefficient, f->exponent, 0);
        if (!c) {
            multipolyn_free(first);
            return nullptr;
        }
        c->index = f->index;
        c->fraction_flag = f->fraction_flag;
        c->starts_term = f->starts_term;
        c->spare = f->spare;
        if (last) {
            last->next = c;
            c->prev = last;
        } else {
            first = c;
        }
        last = c;
    }
    return first;
}

poly_pt *multipolyn_free_term(poly_pt *factor) {
    if (!factor) return nullptr;
    poly_pt *first = multipolyn_term_first(factor), *last = multipolyn_term_last(factor);
    poly_pt *before = first->prev_term, *after = last->next_term;
    if (before) before->next_term = after;
    if (after) after->prev_term = before;
    last->next_term = nullptr;
    multipolyn_free(first);
    return after ? after : before;
}

size_t multipolyn_split_items(poly_pt *list, std::vector<poly_pt *> &items) {
    size_t count = 0;
    for (poly_pt *first = list; first; count++) {
        poly_pt *last = multipolyn_term_last(first);
        poly_pt *after = last->next_term;
        first->prev_term = nullptr;
        last->next_term = nullptr;
        items.push_back(first);
        first = after;
    }
    return count;
}

size_t multipolyn_term_count(const poly_pt *list) {
    size_t count = 0;
    for (const poly_pt *f = list; f; f = f->next ? f->next : f->next_term)
        if (!f->next) count++;
    return count;
}

poly_pt *multipolyn_message_list(const std::string &text) { return new_term_pt(text, "0", int32_t(kConstantIndex)); }

const std::string *multipolyn_message(const poly_pt *list) {
    if (!list || list->next || list->next_term || list->index != kConstantIndex) return nullptr;
    return isMessageText(list->coefficient) ? &list->coefficient : nullptr;
}
