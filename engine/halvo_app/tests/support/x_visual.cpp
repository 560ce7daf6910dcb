#include "x_visual.h"

#include <cstdlib>

#include <xcb/xcb.h>

namespace hlv_app_test {

std::uint32_t WindowVisual(unsigned long window)
{
    // A connection of its own: window ids are the same for every client.
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    std::uint32_t visual = 0;
    if (!xcb_connection_has_error(connection)) {
        const xcb_get_window_attributes_cookie_t cookie =
            xcb_get_window_attributes(connection, static_cast<xcb_window_t>(window));
        if (xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(connection, cookie, nullptr)) {
            visual = reply->visual;
            std::free(reply);
        }
    }
    xcb_disconnect(connection);
    return visual;
}

}  // namespace hlv_app_test
