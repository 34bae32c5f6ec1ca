// Starts a program and prints "PID MS": its process id, and the milliseconds from the start
// until a top-level window with the given title first shows content: the first drawing into it.
// The program is left running.
//   shown TITLE PROGRAM [ARGUMENTS...]
// It waits on the X server's events rather than polling, so it neither adds its own delay nor
// takes a core from the program it times. Top-level windows are the root's children: run it on
// a display without a window manager, such as xvfb-run's.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double Milliseconds(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

static int HasTitle(xcb_connection_t* x, xcb_window_t window, const char* title) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        x, xcb_get_property(x, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), NULL);
    int same = reply && (size_t)xcb_get_property_value_length(reply) == strlen(title) &&
               memcmp(xcb_get_property_value(reply), title, strlen(title)) == 0;
    free(reply);
    return same;
}

int main(int argc, char* argv[]) {
    if (argc < 3) {
        fprintf(stderr, "usage: shown TITLE PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    xcb_connection_t* x = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(x)) {
        fprintf(stderr, "shown: no X display\n");
        return 2;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(x, &xcb_damage_id);
    if (!damage || !damage->present) {
        fprintf(stderr, "shown: the X server has no DAMAGE extension\n");
        return 2;
    }
    free(xcb_damage_query_version_reply(x, xcb_damage_query_version(x, 1, 1), NULL));
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    const double begin = Milliseconds();
    const pid_t pid = fork();
    if (pid == 0) {
        // The program's output goes to standard error: whoever reads this one's output waits
        // for every writer to end, and the program is left running.
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(argv[2], argv + 2);
        perror("shown");
        _exit(127);
    }
    // Every top-level window is watched for drawing from its creation on, so that no drawing is
    // missed; the title is read once a window draws, since a program may name it late.
    xcb_generic_event_t* event;
    while ((event = xcb_wait_for_event(x))) {
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            xcb_damage_create(x, xcb_generate_id(x), ((xcb_create_notify_event_t*)event)->window,
                              XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            xcb_flush(x);
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
            const xcb_window_t window = ((xcb_damage_notify_event_t*)event)->drawable;
            if (HasTitle(x, window, argv[1])) {
                printf("%d %.1f\n", (int)pid, Milliseconds() - begin);
                return 0;
            }
        }
        free(event);
    }
    fprintf(stderr, "shown: lost the X display\n");
    return 1;
}
