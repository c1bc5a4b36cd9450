#pragma once
#include "platform/iso/TC_client_Default_pd_coders.h"
#include "platform/iso/TC_client_Process_data_adaptor_raw.h"

namespace TC_client {

// An adaptor of a value of type T, turned into its raw form by a coder.
template <class T>
class Process_data_adaptor : public Process_data_adaptor_raw {
public:
    void handle_set(int32_t raw) override { set_value(coder_->decode(raw)); }
    int32_t handle_get() override { return coder_->encode(get_value()); }

    virtual T get_value() = 0;
    virtual void set_value(T value) = 0;

    void set_coder(const Process_data_coder<T>* coder) { coder_ = coder; }
    const Process_data_coder<T>* get_coder() const { return coder_; }

private:
    const Process_data_coder<T>* coder_ = Default_pd_coders<T>::get();
};

}
