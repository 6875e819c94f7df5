// The demo desktop's own work on its list view (fill, dump, scramble, the R
// key): the faults and the move emulations let it through untouched.
#pragma once

namespace icotrace::demo {

class OwnWork {
 public:
  bool Running() const { return m_depth > 0; }

  class Scope {
   public:
    explicit Scope(OwnWork& work) : m_work(work) { ++m_work.m_depth; }
    ~Scope() { --m_work.m_depth; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    OwnWork& m_work;
  };

 private:
  int m_depth = 0;
};

}  // namespace icotrace::demo
