// The start gesture: browsers let a page play sound only once the viewer has
// clicked or pressed a key on it.
#include <emscripten.h>

#include "platform/web/Web.h"

// The page's Module.onWaitForStart shows its "click to start", and its
// Module.onStart takes it away.
EM_ASYNC_JS(void, JsWaitForStart, (), {
    if (Module.onWaitForStart)
        Module.onWaitForStart();
    await new Promise(Resolve => {
        const Start = Event => {
            if (Event.type === 'keydown' && Event.key !== 'Enter' && Event.key !== ' ')
                return;
            Event.preventDefault();
            document.removeEventListener('click', Start);
            document.removeEventListener('keydown', Start);
            Resolve();
        };
        document.addEventListener('click', Start);
        document.addEventListener('keydown', Start);
    });
    if (Module.onStart)
        Module.onStart();
});

void WebWaitForStart()
{
    JsWaitForStart();
}
