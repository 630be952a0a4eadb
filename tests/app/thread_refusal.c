/* Preloaded into a program under test: no thread can ever start, as in a
 * process whose memory has run out. */
#include <errno.h>
#include <pthread.h>

int pthread_create(pthread_t* thread, pthread_attr_t const* attributes, void* (*start)(void*), void* argument)
{
    (void)thread;
    (void)attributes;
    (void)start;
    (void)argument;
    return EAGAIN;
}
