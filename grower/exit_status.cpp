#include "grower/exit_status.h"

#include <cerrno>

int StatusForErrno(int error)
{
    switch (error) {
    case ENOMEM:
        return EXIT_NO_MEMORY;
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
    case EIO:
    case EMFILE:
    case ENFILE:
    case EBUSY:
    case EAGAIN:
        return EXIT_SYSTEM_REFUSED;
    default:
        return EXIT_BAD_INPUT;
    }
}
