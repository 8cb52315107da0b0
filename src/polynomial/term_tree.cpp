// The term tree: a right-threaded AVL tree keyed by exponent. Terms of one-variable
// polynomials usually arrive in descending order, which would make an unbalanced tree a
// chain as long as the list; here every path stays logarithmic and nothing recurses.
#include <new>

#include "BigNumber.h"
#include "polyn_terms.h"

namespace {

constexpr int64_t kHeadKey = 2147483647;
// An AVL tree of 2^31 nodes is at most 45 levels high.
constexpr int kMaxPath = 64;

ThreadedTreeNode *newNode(const std::string &coefficient, int64_t key) {
    ThreadedTreeNode *n = new (std::nothrow) ThreadedTreeNode;
    if (!n) return nullptr;
    n->coefficient = coefficient;
    n->key = key;
    return n;
}

// The right child of p takes p's place; a right subtree that becomes empty turns into a
// thread to the new top, p's in-order successor.
ThreadedTreeNode *rotateLeft(ThreadedTreeNode *p) {
    ThreadedTreeNode *r = p->right;
    if (r->left) {
        p->right = r->left;
        p->rightIsThread = false;
    } else {
        p->right = r;
        p->rightIsThread = true;
    }
    r->left = p;
    return r;
}

ThreadedTreeNode *rotateRight(ThreadedTreeNode *p) {
    ThreadedTreeNode *l = p->left;
    p->left = l->rightIsThread ? nullptr : l->right;
    l->right = p;
    l->rightIsThread = false;
    return l;
}

ThreadedTreeNode *fixRightHeavy(ThreadedTreeNode *n) {
    ThreadedTreeNode *r = n->right;
    if (r->balance > 0) {
        n->balance = r->balance = 0;
        return rotateLeft(n);
    }
    ThreadedTreeNode *g = r->left;
    n->right = rotateRight(r);
    ThreadedTreeNode *top = rotateLeft(n);
    n->balance = g->balance > 0 ? -1 : 0;
    r->balance = g->balance < 0 ? 1 : 0;
    g->balance = 0;
    return top;
}

ThreadedTreeNode *fixLeftHeavy(ThreadedTreeNode *n) {
    ThreadedTreeNode *l = n->left;
    if (l->balance < 0) {
        n->balance = l->balance = 0;
        return rotateRight(n);
    }
    ThreadedTreeNode *g = l->right;
    n->left = rotateLeft(l);
    ThreadedTreeNode *top = rotateRight(n);
    n->balance = g->balance < 0 ? 1 : 0;
    l->balance = g->balance > 0 ? -1 : 0;
    g->balance = 0;
    return top;
}

poly *newListTerm(const ThreadedTreeNode *n) { return new (std::nothrow) poly(n->coefficient, n->key); }

constexpr const char *kTreeSource = "src/polynomial/term_tree.cpp";
constexpr const char *kReadOutFailure = "Failed to allocate firstElem or nextElem.";

}  // namespace

ThreadedTree::ThreadedTree() = default;

ThreadedTree::~ThreadedTree() { clear(); }

ThreadedTreeNode *ThreadedTree::leftmost(ThreadedTreeNode *node) {
    if (!node) return nullptr;
    while (node->left) node = node->left;
    return node;
}

const ThreadedTreeNode *ThreadedTree::leftmost(const ThreadedTreeNode *node) {
    return leftmost(const_cast<ThreadedTreeNode *>(node));
}

const ThreadedTreeNode *ThreadedTree::successor(const ThreadedTreeNode *node) const {
    return node->rightIsThread ? node->right : leftmost(node->right);
}

void ThreadedTree::insert(const poly *term) {
    if (term) insertNode(term);
}

ThreadedTreeNode *ThreadedTree::insertNode(const poly *term) {
    const int64_t key = term->exponent;
    if (!root) {
        head = head ? head : newNode("", kHeadKey);
        ThreadedTreeNode *n = head ? newNode(term->coefficient, key) : nullptr;
        if (!n) return nullptr;
        n->right = head;
        n->rightIsThread = true;
        root = n;
        count = 1;
        return n;
    }
    ThreadedTreeNode *path[kMaxPath];
    bool wentRight[kMaxPath];
    int depth = 0;
    ThreadedTreeNode *p = root;
    for (;;) {
        if (key == p->key) {
            if (!adder) adder = std::make_unique<BigNumber>();
            p->coefficient = adder->addition(p->coefficient, term->coefficient);
            return p;
        }
        if (depth == kMaxPath) return nullptr;  // unreachable for a balanced tree
        path[depth] = p;
        wentRight[depth++] = key > p->key;
        if (key < p->key) {
            if (!p->left) break;
            p = p->left;
        } else {
            if (p->rightIsThread) break;
            p = p->right;
        }
    }
    ThreadedTreeNode *leaf = newNode(term->coefficient, key);
    if (!leaf) return nullptr;
    leaf->rightIsThread = true;
    if (wentRight[depth - 1]) {
        leaf->right = p->right;
        p->right = leaf;
        p->rightIsThread = false;
    } else {
        leaf->right = p;
        p->left = leaf;
    }
    count++;
    // Back up the path: the first node whose balance leaves -1..1 is rotated, which
    // restores the height its subtree had, so nothing above it changes.
    for (int i = depth - 1; i >= 0; i--) {
        ThreadedTreeNode *n = path[i];
        n->balance = int8_t(n->balance + (wentRight[i] ? 1 : -1));
        if (n->balance == 0) break;
        if (n->balance == 1 || n->balance == -1) continue;
        ThreadedTreeNode *top = n->balance > 0 ? fixRightHeavy(n) : fixLeftHeavy(n);
        if (i == 0) root = top;
        else if (wentRight[i - 1]) path[i - 1]->right = top;
        else path[i - 1]->left = top;
        break;
    }
    return leaf;
}

// In order along the threads: every node that points at a node comes before it, so each
// node is released only after the last one that could lead to it.
void ThreadedTree::destroySubtree() {
    const ThreadedTreeNode *p = leftmost(root);
    while (p && p != head) {
        const ThreadedTreeNode *after = successor(p);
        delete p;
        p = after;
    }
    root = nullptr;
}

void ThreadedTree::clear() {
    destroySubtree();
    delete head;
    head = nullptr;
    count = 0;
}

poly *ThreadedTree::getListofThreadedTree() const { return getListofThreadedTree(root); }

poly *ThreadedTree::getListofThreadedTree(const ThreadedTreeNode *from) const { return readOut(from, false); }

poly *ThreadedTree::getListofThreadedTreeASC() const { return getListofThreadedTreeASC(root); }

poly *ThreadedTree::getListofThreadedTreeASC(const ThreadedTreeNode *from) const { return readOut(from, true); }

// The nodes in ascending order, each term hung on the one before: along `next` for the
// descending read-out (whose handle is the last term made), along `prev` for the ascending
// one (whose handle is the first).
poly *ThreadedTree::readOut(const ThreadedTreeNode *from, bool ascending) const {
    if (!from) return nullptr;
    const ThreadedTreeNode *p = leftmost(from);
    poly *first = newListTerm(p);
    if (!first) {
        print_error_at(kTreeSource, ascending ? 593 : 517,
                       ascending ? "getListofThreadedTreeASC" : "getListofThreadedTree", kReadOutFailure);
        return nullptr;
    }
    poly *last = first;
    for (p = successor(p); p && p != head; p = successor(p)) {
        poly *t = newListTerm(p);
        if (!t && ascending) print_error_at(kTreeSource, 579, "getListofThreadedTreeASC", kReadOutFailure);
        append_term(first, last, t, !ascending);
    }
    return ascending ? first : last;
}

void polyn_tree_insert_all(const poly *list, ThreadedTree &tree) {
    for (const poly *t = list; t; t = walk_next(list, t)) tree.insert(t);
}

poly *polyn_sort(const poly *list, ThreadedTree &tree) {
    if (!list) return nullptr;
    polyn_tree_insert_all(list, tree);
    return tree.getListofThreadedTreeASC();
}

poly *polyn_tree_from_backward(const poly *list, ThreadedTree &tree) {
    polyn_tree_insert_all(list, tree);
    return tree.getListofThreadedTree();
}

poly *polyn_sort_desc(const poly *list) {
    if (!list) return nullptr;
    ThreadedTree tree;
    polyn_tree_insert_all(list, tree);
    return tree.getListofThreadedTree();
}
