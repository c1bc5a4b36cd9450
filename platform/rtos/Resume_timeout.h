#pragma once

class Diner;
class Timeout;

// A repeating timeout that its task removed while it had nothing to do comes
// back at the next instant of the rhythm it had; one still armed is left
// alone. Safe from any thread, as submitting is.
void resume_timeout(Diner& task, Timeout& t);
