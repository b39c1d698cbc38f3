/* A starting point for a Tarvo application: two forms, a counter and an
 * About form, driven by the event loop of the handheld. The event source
 * below replays a short script so that the program also runs on a desktop. */
#include <stdio.h>
#include <string.h>

#include "res/resource.h"

typedef enum { evtNone, evtFormOpen, evtButtonPress, evtAppStop } EventType;

typedef struct {
    EventType type;
    int objectId;
} Event;

static int currentForm = MainForm;
static int pressCount = 0;

static int GetEvent(Event *event)
{
    static const Event script[] = {
        {evtFormOpen, MainForm},        {evtButtonPress, MainCountButton},
        {evtButtonPress, MainCountButton}, {evtButtonPress, MainAboutButton},
        {evtButtonPress, AboutDoneButton}, {evtAppStop, 0},
    };
    static size_t next = 0;
    if (next >= sizeof script / sizeof script[0])
        return 0;
    *event = script[next++];
    return 1;
}

static void DrawCounter(void)
{
    char text[32];
    snprintf(text, sizeof text, "Pressed %d times", pressCount);
    printf("[form %d] field %d: %s\n", currentForm, MainCountField, text);
}

static void GotoForm(int form)
{
    currentForm = form;
    printf("[form %d] opened\n", form);
    if (form == MainForm)
        DrawCounter();
}

static int HandleEvent(const Event *event)
{
    switch (event->type) {
    case evtFormOpen:
        GotoForm(event->objectId);
        return 1;
    case evtButtonPress:
        if (event->objectId == MainCountButton) {
            pressCount++;
            DrawCounter();
        } else if (event->objectId == MainAboutButton) {
            GotoForm(AboutForm);
        } else if (event->objectId == AboutDoneButton) {
            GotoForm(MainForm);
        }
        return 1;
    case evtAppStop:
    case evtNone:
        break;
    }
    return 0;
}

int main(void)
{
    Event event;
    memset(&event, 0, sizeof event);
    while (GetEvent(&event)) {
        if (event.type == evtAppStop)
            break;
        HandleEvent(&event);
    }
    return pressCount == 2 ? 0 : 1;
}
