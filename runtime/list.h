// list.h -- TList: the game's owning, doubly linked object list with removal-safe iteration.
//
// The guests and the dishes live in lists that own them for the whole run. A list is walked in
// insertion order with range-for, `for (TDish* dish : dish_list)`. The walk has already moved on
// when it hands out an object, so that object (or any other) may be removed during the walk, and
// objects appended behind the current position are still visited. A removed object is destroyed
// once no walk of its list is running any more, so a pointer handed out stays valid until the
// walk ends.
#pragma once

#include <memory>
#include <utility>

template <class T> class TList {
    struct TLink {
        std::unique_ptr<T> object; // owned object
        bool removed = false;      // list_remove took it out; freed when no walk runs
        TLink* prev = nullptr;
        TLink* next = nullptr;
    };

  public:
    class TIterator {
      public:
        TIterator(TList* list, TLink* link) : list_(list), link_(list->skip_removed(link)) {
            ++list_->walks_;
        }
        TIterator(const TIterator& other) : TIterator(other.list_, other.link_) {}
        TIterator& operator=(const TIterator&) = delete;
        ~TIterator() { list_->end_walk(); }
        T* operator*() const { return link_->object.get(); }
        TIterator& operator++() {
            link_ = list_->skip_removed(link_->next);
            return *this;
        }
        bool operator==(std::nullptr_t) const { return link_ == nullptr; }

      private:
        TList* list_;
        TLink* link_; // the next object to hand out (null at the end)
    };

    TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;
    TList(TList&& other) noexcept { swap_with(other); }
    TList& operator=(TList&& other) noexcept {
        TList gone(std::move(other));
        swap_with(gone);
        return *this;
    }
    ~TList() {
        while (first_) free_link(first_);
    }

    TIterator begin() { return TIterator(this, first_); }
    std::nullptr_t end() const { return nullptr; }

    // Appends an object; the list owns it from now on. Returns it, for setting its fields.
    T* add_last(std::unique_ptr<T> object) {
        TLink* link = new TLink{std::move(object)};
        link->prev = last_;
        (last_ ? last_->next : first_) = link;
        last_ = link;
        ++count_;
        return link->object.get();
    }

    // Removes the first link holding `object`; false if the list holds no such object.
    bool remove(const T* object) {
        for (TLink* link = first_; link; link = link->next) {
            if (link->removed || link->object.get() != object) continue;
            link->removed = true;
            --count_;
            ++removed_;
            sweep();
            return true;
        }
        return false;
    }

    int count() const { return count_; } // objects in the list, removed ones not counted

  private:
    TLink* skip_removed(TLink* link) const {
        while (link && link->removed) link = link->next;
        return link;
    }
    void end_walk() {
        --walks_;
        sweep();
    }
    // Frees the removed links once no walk can stand on one of them.
    void sweep() {
        if (walks_ > 0 || removed_ == 0) return;
        for (TLink* link = first_; link;) {
            TLink* next = link->next;
            if (link->removed) free_link(link);
            link = next;
        }
        removed_ = 0;
    }
    void free_link(TLink* link) {
        (link->prev ? link->prev->next : first_) = link->next;
        (link->next ? link->next->prev : last_) = link->prev;
        delete link;
    }
    void swap_with(TList& other) {
        std::swap(first_, other.first_);
        std::swap(last_, other.last_);
        std::swap(count_, other.count_);
        std::swap(removed_, other.removed_);
        std::swap(walks_, other.walks_);
    }

    TLink* first_ = nullptr;
    TLink* last_ = nullptr;
    int count_ = 0;   // live objects
    int removed_ = 0; // removed links not yet freed
    int walks_ = 0;   // walks (iterators) running now
};

template <class T> TList<T> new_list() { // an empty list
    return TList<T>();
}

// Appends an object, which the list owns from now on; returns it.
template <class T> T* list_add_last(TList<T>& list, std::unique_ptr<T> object) {
    return list.add_last(std::move(object));
}

// Removes (and destroys) the first link holding `object`; reports whether one was found.
template <class T> bool list_remove(TList<T>& list, const T* object) {
    return list.remove(object);
}

template <class T> int list_count(const TList<T>& list) { // number of objects in the list
    return list.count();
}
