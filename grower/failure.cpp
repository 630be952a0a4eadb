#include "grower/failure.h"

#include "grower/exit_status.h"

#include <cstring>

Failure CommandLineFault(std::string const& reason)
{
    return Failure(EXIT_BAD_INPUT, reason + " (try --help)");
}

Failure WriteFault(std::string const& name, int errorNumber)
{
    return Failure(errorNumber ? StatusForErrno(errorNumber) : EXIT_SYSTEM_REFUSED,
        "cannot write '" + name + "': " + (errorNumber ? std::strerror(errorNumber) : "input/output error"));
}

Failure EncodeFault(std::string const& name, std::string const& reason)
{
    return Failure(EXIT_SYSTEM_REFUSED, "cannot write '" + name + "': " + reason);
}
