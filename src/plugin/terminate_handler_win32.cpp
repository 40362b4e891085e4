// The C++ runtime's default terminate handler prints the name of the uncaught exception's
// type to standard error, which links the runtime's demangler (some 45 KB) into the DLL. A
// plug-in's standard error goes nowhere, and every export catches what its work throws, so
// the handler only has to end the process the way the default one ends it.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx
