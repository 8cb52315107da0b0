// Polynomials in the main variable as lists of terms, and the term tree through which lists
// are merged by exponent and read back in order.
//
// A term list is a chain of `poly` terms linked both ways, handed over in one of two forms:
//   forward list:  the handle is the first term; walk along `next` (each `prev` points back);
//   backward list: the handle is one end; walk along `prev` (each `next` points back).
// A handle whose `next` is set is a forward list, any other handle a backward list: the
// routines that accept either form (and free_term_list) tell them apart by that rule.
//
// A normalised polynomial is a backward list in descending exponent order, no two terms of
// equal exponent and no zero coefficient ("0", "-0", "+0"), except the zero polynomial: one
// term "0" whose exponent is that of the last term that cancelled. A null handle means that
// there is no polynomial at all.
//
// Whoever holds a handle owns the whole list; free_term_list releases it and TermList holds
// one for a scope. Lists never leave the polynomial code and its direct callers: polynomials
// cross that border as text (polynomial.h).
#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

struct poly {
    poly *next = nullptr;
    poly *prev = nullptr;
    int64_t exponent = 0;     // power of the main variable; may be negative
    std::string coefficient;  // number text, or any text the reader kept

    poly() = default;
    poly(std::string c, int64_t e) : exponent(e), coefficient(std::move(c)) {}
};

// A new term with both links empty; null (with a line on standard output) when memory runs out.
poly *new_term(std::string coefficient, int64_t exponent);
// Releases every term of a list of either form, from its handle on.
void free_term_list(poly *list);
// Hangs `t` after `last` in a list under construction, forward (along `next`) or backward
// (along `prev`); the first term becomes the handle. A null `t` (memory ran out) is skipped.
void append_term(poly *&handle, poly *&last, poly *t, bool forward);
// A copy of a list of either form, in the same form and order.
poly *copy_term_list(const poly *list);
// True when the handle starts a forward list.
inline bool is_forward_list(const poly *list) { return list && list->next; }
// The term after `t` when walking the list whose handle is `handle`.
inline poly *walk_next(const poly *handle, const poly *t) { return is_forward_list(handle) ? t->next : t->prev; }

struct TermListDeleter {
    void operator()(poly *list) const { free_term_list(list); }
};
// Owns one list of either form.
using TermList = std::unique_ptr<poly, TermListDeleter>;

// Frees the list that a handle names when its scope is left by an exception (a stop request
// ends a long computation by throwing), and only then: a function that builds a list through a
// plain handle keeps its own returns and frees, and a stopped run leaves no terms behind. The
// handle is read when the scope ends, so it may change while the list grows.
template <typename Term, void (*Release)(Term *)> class FreedOnUnwind {
  public:
    explicit FreedOnUnwind(Term *&handle) : handle_(handle) {}
    ~FreedOnUnwind() {
        if (std::uncaught_exceptions() > exceptions_) Release(handle_);
    }
    FreedOnUnwind(const FreedOnUnwind &) = delete;
    FreedOnUnwind &operator=(const FreedOnUnwind &) = delete;

  private:
    Term *&handle_;
    int exceptions_ = std::uncaught_exceptions();
};
using TermsFreedOnUnwind = FreedOnUnwind<poly, free_term_list>;

// Writes "error> file [line] function, message" to standard output (not an answer stream):
// the allocation-failure report of the polynomial, complex and term-tree code.
void print_error_at(const char *sourceFile, int32_t line, const char *function, const char *message);

struct ThreadedTreeNode {
    std::string coefficient;
    int64_t key = 0;  // the exponent
    ThreadedTreeNode *left = nullptr;
    ThreadedTreeNode *right = nullptr;  // right child, or the in-order successor when rightIsThread
    bool rightIsThread = false;
    int8_t balance = 0;  // height of the right subtree minus that of the left: -1, 0 or 1
};

class BigNumber;

// Terms ordered by exponent, equal exponents merged by adding their coefficient texts.
//
// A right-threaded binary search tree kept balanced (AVL): every node without a right child
// has `rightIsThread` set and `right` pointing at its in-order successor; the greatest
// node's thread points at the head, a sentinel with key 2147483647 that is reachable only
// through that thread and takes part in no comparison. Insertion, read-out and release
// walk iteratively over a path of logarithmic length, so long lists arriving in order
// (the usual case) cost neither depth nor quadratic time.
//
// Observable behaviour: the read-outs visit the keys in order, one term per key; a key
// that arrives again gets `addition`(stored, new) of the engine, in arrival order, unevaluated
// (a sum of fractions stays a sum text and a cancelled key keeps the coefficient "0" until
// a normaliser runs).
class ThreadedTree {
public:
    ThreadedTreeNode *root = nullptr;
    ThreadedTreeNode *head = nullptr;  // created by the first insertion into an empty tree
    int32_t count = 0;                 // nodes below the head

    ThreadedTree();
    ~ThreadedTree();
    ThreadedTree(const ThreadedTree &) = delete;
    ThreadedTree &operator=(const ThreadedTree &) = delete;

    // Inserts the term's exponent and a copy of its coefficient; the term stays the caller's.
    void insert(const poly *term);
    // Releases every node and the head; the tree is empty and ready for new insertions.
    void clear();
    // New backward lists, one term per node, in descending (respectively ascending)
    // exponent order; null for an empty tree. The tree keeps its nodes.
    poly *getListofThreadedTree() const;
    poly *getListofThreadedTree(const ThreadedTreeNode *from) const;
    poly *getListofThreadedTreeASC() const;
    poly *getListofThreadedTreeASC(const ThreadedTreeNode *from) const;
    // The leftmost node below `node`, or null for null.
    static ThreadedTreeNode *leftmost(ThreadedTreeNode *node);
    static const ThreadedTreeNode *leftmost(const ThreadedTreeNode *node);

private:
    ThreadedTreeNode *insertNode(const poly *term);
    poly *readOut(const ThreadedTreeNode *from, bool ascending) const;
    void destroySubtree();
    const ThreadedTreeNode *successor(const ThreadedTreeNode *node) const;

    std::unique_ptr<BigNumber> adder;  // one engine for every merged key of this tree
};

// Inserts every term of the list into the tree and returns the tree's ascending read-out
// (null for no list, the tree untouched). The list may be of either form.
poly *polyn_sort(const poly *list, ThreadedTree &tree);
// Inserts every term of the list into the tree and returns the descending read-out.
poly *polyn_tree_from_backward(const poly *list, ThreadedTree &tree);
// The descending read-out of a list of either form, equal exponents merged, zero terms kept;
// null for no list.
poly *polyn_sort_desc(const poly *list);
// Inserts every term of a list of either form; the insertion behind the routines above for
// callers that read the tree themselves.
void polyn_tree_insert_all(const poly *list, ThreadedTree &tree);
