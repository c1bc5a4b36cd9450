#pragma once

struct waiter_event;
class waiter_descriptor;

namespace TC_client {

class Controller {
public:
    // A handler of the events that reach the controller's task. Handlers are
    // chained: the controller offers an event to each in turn until one
    // takes it.
    class Diner_event_handler {
    public:
        explicit Diner_event_handler(Diner_event_handler* next)
            : next_(next)
        {
        }
        virtual ~Diner_event_handler() = default;
        Diner_event_handler(const Diner_event_handler&) = delete;
        Diner_event_handler& operator=(const Diner_event_handler&) = delete;

        // True when this handler took the event.
        virtual bool handle(waiter_event& event) = 0;

        // Offers the event down the chain from this handler; true when one took it.
        bool dispatch(waiter_event& event)
        {
            for (Diner_event_handler* h = this; h; h = h->next_)
                if (h->handle(event))
                    return true;
            return false;
        }

        // The controller names its task's waiter to the whole chain.
        void set_controller_waiter(const waiter_descriptor* waiter)
        {
            for (Diner_event_handler* h = this; h; h = h->next_)
                h->controller_waiter_ = waiter;
        }
        Diner_event_handler* get_next() const { return next_; }

    protected:
        const waiter_descriptor* get_controller_waiter() const { return controller_waiter_; }

    private:
        Diner_event_handler* next_;
        const waiter_descriptor* controller_waiter_ = nullptr;
    };
};

}
